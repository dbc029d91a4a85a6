#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace torvan {

// The [Ports] section of Program.ini as a lookup of the device a port name
// is mapped to (empty when none): the Program.ini at `iniPath`, or at its
// usual place (as IniStore() finds or makes it). The file is read at each
// lookup, so an edit of [Ports] counts from the next command, and a device
// path, never looked up, makes no Program.ini.
std::function<std::string(const std::string&)> PortsSection(
    std::optional<std::filesystem::path> iniPath = std::nullopt);

}  // namespace torvan
