#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace torvan {

// What decides where Program.ini lives when no path is given.
struct IniLocation {
    // The folder of the running executable.
    std::filesystem::path executableDirectory;
    // $XDG_CONFIG_HOME and $HOME; empty when unset.
    std::string configHome;
    std::string home;
    // Whether a new file could be made in a folder.
    std::function<bool(const std::filesystem::path&)> canCreateIn;

    // The running process's values.
    static IniLocation Current();
};

// The folder, below the installation prefix, that an installed program
// ships its data in; its presence beside bin/ marks an installed program.
inline constexpr const char* kInstalledDataFolder = "../share/torvan-encoder";
// The folder of this program under the user's configuration folder.
inline constexpr const char* kConfigFolder = "torvan-encoder";

// Program.ini beside the executable when it exists there, or when that
// folder is writable and not an installed program's (a build or an unpacked
// folder); otherwise in the user's configuration folder
// ($XDG_CONFIG_HOME/torvan-encoder, or ~/.config/torvan-encoder), since a
// file under /usr/bin could not keep the port choice and must not be written
// even by root. Without any home folder it stays beside the executable.
std::filesystem::path ChooseIniPath(const IniLocation& where);

// Where this process keeps Program.ini: ChooseIniPath for its own values.
std::filesystem::path DefaultIniPath();

// The copy of the default profiles an installed program ships, under the
// prefix it was installed to (as its --help names it); empty when the
// program does not run installed.
std::filesystem::path InstalledDefaultsFile();

}  // namespace torvan
