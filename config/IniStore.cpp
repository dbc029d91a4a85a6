#include "config/IniStore.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

#include "config/DefaultProgramIni.h"
#include "config/IniLocation.h"
#include "model/Numbers.h"
#include "model/SafeFile.h"

namespace torvan {
namespace {

// The file's text; empty when it is missing, unreadable or a folder.
std::string ReadText(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

IniStore::IniStore() : path_(DefaultIniPath()) {
    std::error_code ec;
    std::filesystem::create_directories(path_.parent_path(), ec);
    CreateIfMissing(DefaultProgramIni());
}

IniStore::IniStore(std::filesystem::path path) : path_(std::move(path)) {
    CreateIfMissing({});
}

void IniStore::CreateIfMissing(std::string_view content) const {
    // Only a missing file is created: one that is merely unreadable keeps its
    // contents. Failure is not reported; reads then give their defaults.
    std::error_code ec;
    if (std::filesystem::exists(path_, ec) || ec || std::filesystem::is_symlink(path_, ec)) {
        return;
    }
    // "x" never truncates a file that another process made in the meantime.
    std::FILE* file = std::fopen(path_.c_str(), "wx");
    if (file == nullptr) {
        return;
    }
    const bool written =
        content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size();
    // A file cut short (a full disk) would hide the profiles for good; without
    // it the next start tries again.
    if (std::fclose(file) != 0 || !written) {
        std::remove(path_.c_str());
    }
}

IniSection IniStore::ReadSection(const std::string& section) const {
    return ReadIniSection(ReadText(path_), section);
}

std::string IniStore::ReadString(const std::string& section, const std::string& key) const {
    return ReadSection(section).Value(key);
}

int IniStore::ReadInt(const std::string& section, const std::string& key) const {
    return static_cast<int>(ParseInteger(ReadString(section, key)));
}

Result IniStore::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) {
    return WriteFileAtomically(path_, WithIniValue(ReadText(path_), section, key, value));
}

Result IniStore::WriteInt(const std::string& section, const std::string& key, int value) {
    return WriteString(section, key, std::to_string(value));
}

}  // namespace torvan
