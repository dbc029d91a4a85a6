#pragma once

#include <filesystem>

namespace torvan {

// The folders of the running program and of its user, each as the system
// names it: the one place that knows Linux's and Windows' conventions.

// The folder of the running executable (the working folder when the system
// does not say).
std::filesystem::path ExecutableFolder();

// Where the program keeps files of its own (copies of reads, the simulated
// radio's memory): $XDG_DATA_HOME/torvan-pc-encoder (~/.local/share when
// that is unset, empty or relative) on Linux, %LOCALAPPDATA%\Torvan PC
// Encoder on Windows. Empty when the system names no such folder.
std::filesystem::path DataFolder();

// Where the simulated radio keeps its memory between runs:
// simulated-radio.sin in DataFolder() (as scripts/run.sh keeps the
// pseudo-terminal simulator's); empty when there is no data folder.
inline std::filesystem::path SimulatedRadioFile() {
    const std::filesystem::path folder = DataFolder();
    return folder.empty() ? folder : folder / "simulated-radio.sin";
}

// Whether `folder` lies in the system's folder for programs installed for
// all users (Program Files on Windows), which a user's run must never write
// to, even one with the rights to: later runs without them could not keep
// what it leaves. False on Linux, whose installed programs say so otherwise.
bool InsideProgramFiles(const std::filesystem::path& folder);

// Where Program.ini goes when the executable's folder cannot hold it:
// $XDG_CONFIG_HOME/torvan-encoder (~/.config when unset or relative) on
// Linux, %APPDATA%\Torvan PC Encoder on Windows. Empty when there is none.
std::filesystem::path ConfigFolder();

#ifndef _WIN32
// The Linux rules above for given values of the variables (nullptr: unset).
std::filesystem::path DataFolder(const char* xdgDataHome, const char* home);
std::filesystem::path ConfigFolder(const char* xdgConfigHome, const char* home);
#endif

}  // namespace torvan
