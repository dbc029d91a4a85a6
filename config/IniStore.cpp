#include "config/IniStore.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "config/DefaultProgramIni.h"
#include "config/IniLocation.h"
#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan {
namespace {

// What one read of the file found: its text, or why there is none.
struct IniRead {
    std::string text;
    std::string reason;        // empty when the file was read
    bool lostOnWrite = false;  // a file whose text a write would replace unread
};

IniRead ReadText(const std::filesystem::path& path) {
    IniRead read;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        read.reason = "it is a folder";
        return read;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    read.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        read.lostOnWrite = in.is_open() || (errno != ENOENT && errno != ENOTDIR);
        read.reason = ErrnoText(errno);
        read.text.clear();
    }
    return read;
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
    // Never over a file that another process made in the meantime. A file
    // cut short (a full disk) would hide the profiles for good, so it goes
    // again and the next start tries again.
    static_cast<void>(WriteNewFile(path_, content));
}

IniSection IniStore::ReadSection(const std::string& section) const {
    return TryReadSection(section).value;
}

ResultOf<IniSection> IniStore::TryReadSection(const std::string& section) const {
    const IniRead read = ReadText(path_);
    if (!read.reason.empty()) {
        return ResultOf<IniSection>::Failure(
            "cannot read " + PrintableText(Utf8FromPath(path_)) + ": " + read.reason, read.reason);
    }
    return ResultOf<IniSection>::Success(ReadIniSection(read.text, section));
}

std::string IniStore::ReadString(const std::string& section, const std::string& key) const {
    return ReadSection(section).Value(key);
}

Result IniStore::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) {
    const IniRead read = ReadText(path_);
    // A file that exists but cannot be read would lose every other line.
    if (read.lostOnWrite) {
        return Result::Failure("Cannot save " + PrintableText(Utf8FromPath(path_)) +
                                   ": it cannot be read (" + read.reason + ").",
                               read.reason);
    }
    return WriteFileAtomically(path_, WithIniValue(read.text, section, key, value));
}

}  // namespace torvan
