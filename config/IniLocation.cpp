#include "config/IniLocation.h"

#include <cstdlib>
#include <system_error>

#include "model/SafeFile.h"

namespace torvan {
namespace {

constexpr const char* kFileName = "Program.ini";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::filesystem::path ExecutableDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

bool Exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec) || std::filesystem::is_symlink(path, ec);
}

}  // namespace

IniLocation IniLocation::Current() {
    return IniLocation{
        ExecutableDirectory(), Environment("XDG_CONFIG_HOME"), Environment("HOME"),
        [](const std::filesystem::path& folder) { return CheckWritable(folder / kFileName).ok; }};
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
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base
    // directory rules ask.
    const std::filesystem::path configHome = where.configHome;
    if (configHome.is_absolute()) {
        return configHome / kConfigFolder / kFileName;
    }
    if (!where.home.empty()) {
        return std::filesystem::path(where.home) / ".config" / kConfigFolder / kFileName;
    }
    return beside;
}

std::filesystem::path DefaultIniPath() {
    return ChooseIniPath(IniLocation::Current());
}

std::filesystem::path InstalledDefaultsFile() {
    const std::filesystem::path folder =
        (ExecutableDirectory() / kInstalledDataFolder).lexically_normal();
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) ? folder / kFileName
                                                     : std::filesystem::path();
}

}  // namespace torvan
