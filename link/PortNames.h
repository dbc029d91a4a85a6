#pragma once

#include <string>

namespace torvan {

class IniStore;

// The device behind a port name: a name that begins with "/" is a device
// path already; otherwise the [Ports] section of Program.ini may map it
// ("COM1=/dev/ttyACM0"); failing that "COM1" to "COM8" (any letter case) are
// the USB programming cables /dev/ttyUSB0 to /dev/ttyUSB7. Empty when the
// name leads nowhere.
std::string DevicePathFor(const std::string& portName, const IniStore& ini);

// For a run with a simulated radio: from now on every port name, the empty
// one included, leads to `device` (both functions here). Set it at start-up,
// before any port is opened; an empty `device` ends the routing.
void RouteAllPortsTo(std::string device);
// The device every port leads to; empty when ports are not routed.
const std::string& RoutedDevice();

// The same, consulting Program.ini beside the executable only when needed.
std::string DevicePathFor(const std::string& portName);

}  // namespace torvan
