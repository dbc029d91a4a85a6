#pragma once

#include <filesystem>
#include <functional>

namespace torvan {

// What decides where Program.ini lives when no path is given.
struct IniLocation {
    // The folder of the running executable.
    std::filesystem::path executableDirectory;
    // The user's folder for it (ConfigFolder); empty when there is none.
    std::filesystem::path userFolder;
    // Whether a new file could be made in a folder.
    std::function<bool(const std::filesystem::path&)> canCreateIn;

    // The running process's values.
    static IniLocation Current();
};

// The folder, below the installation prefix, that an installed program
// ships its data in; its presence beside bin/ marks an installed program.
inline constexpr const char* kInstalledDataFolder = "../share/torvan-encoder";

// Program.ini beside the executable when it exists there, or when that
// folder is writable and not an installed program's (a build or an unpacked
// folder); otherwise in the user's folder (ConfigFolder: under
// $XDG_CONFIG_HOME, or %APPDATA% on Windows), since a file under /usr/bin or
// Program Files could not keep the port choice and must not be written even
// by root. Without a user's folder it stays beside the executable.
std::filesystem::path ChooseIniPath(const IniLocation& where);

// Where this process keeps Program.ini: ChooseIniPath for its own values.
std::filesystem::path DefaultIniPath();

// The copy of the default profiles an installed program ships, under the
// prefix it was installed to (as its --help names it); empty when the
// program does not run installed.
std::filesystem::path InstalledDefaultsFile();

}  // namespace torvan
