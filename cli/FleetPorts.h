#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "link/PortNames.h"

namespace torvan::cli {

// One radio of a fleet: the port name as given and the device it resolved to.
struct FleetPort {
    std::string name;
    PortDevice device;
};

// Resolves every name once, where the command starts. A device named twice,
// under any names, is refused with a message on `err`: two transfers on one
// line would garble both. Nothing is sent before this check.
bool ResolveFleet(const std::string& command, const std::vector<std::string>& names,
                  std::vector<FleetPort>& fleet, std::ostream& err);

// The file name a fleet read saves this port's memory under: the port's own
// name ("COM1.sin") or, for a device path, the device's ("ttyUSB0.sin";
// "COM5.sin" for \\.\COM5).
std::string ReadFileName(const FleetPort& port);

}  // namespace torvan::cli
