#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "link/DeviceIdentity.h"
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

// Which device a port name leads to, to tell two names of one device: a
// name that leads nowhere is only itself, and so is every name in a run
// with the simulated radio (where all of them lead to it).
DeviceIdentity IdentityOf(const FleetPort& port);

// The device's stable name: the link in `folder` (the system's by-id links
// of USB serial adapters) that leads to it, which names the adapter by its
// maker and serial number however the ports were numbered at boot. Empty
// when there is none, and on Windows.
std::string StableName(const PortDevice& device,
                       const std::filesystem::path& folder = "/dev/serial/by-id");

// The file name a fleet read saves this port's memory under: the port's own
// name ("COM1.sin") or, for a device path, the device's ("ttyUSB0.sin";
// "COM5.sin" for \\.\COM5).
std::string ReadFileName(const FleetPort& port);

}  // namespace torvan::cli
