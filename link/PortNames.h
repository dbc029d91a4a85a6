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

// The same, consulting Program.ini beside the executable only when needed.
std::string DevicePathFor(const std::string& portName);

}  // namespace torvan
