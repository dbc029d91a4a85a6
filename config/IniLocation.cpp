#include "config/IniLocation.h"

#include <system_error>

#include "config/ProgramFolders.h"
#include "model/SafeFile.h"

namespace torvan {
namespace {

constexpr const char* kFileName = "Program.ini";

bool Exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec) || std::filesystem::is_symlink(path, ec);
}

}  // namespace

IniLocation IniLocation::Current() {
    return IniLocation{ExecutableFolder(), ConfigFolder(), [](const std::filesystem::path& folder) {
                           return !InsideProgramFiles(folder) &&
                                  CheckWritable(folder / kFileName).ok;
                       }};
}

std::filesystem::path ChooseIniPath(const IniLocation& where) {
    const std::filesystem::path beside = where.executableDirectory / kFileName;
    if (Exists(beside)) {
        return beside;
    }
    std::error_code ec;
    const bool installed =
        std::filesystem::is_directory(where.executableDirectory / kInstalledDataFolder, ec);
    if (!installed && where.canCreateIn && where.canCreateIn(where.executableDirectory)) {
        return beside;
    }
    return where.userFolder.empty() ? beside : where.userFolder / kFileName;
}

std::filesystem::path DefaultIniPath() {
    return ChooseIniPath(IniLocation::Current());
}

std::filesystem::path InstalledDefaultsFile() {
    const std::filesystem::path folder =
        (ExecutableFolder() / kInstalledDataFolder).lexically_normal();
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) ? folder / kFileName : std::filesystem::path();
}

}  // namespace torvan
