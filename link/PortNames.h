#pragma once

#include <functional>
#include <string>

#include "model/Result.h"

namespace torvan {

// A port name resolved where a command starts: the device to open, or why
// the name leads to none.
using PortDevice = ResultOf<std::string>;

// The device a port name is mapped to by the user's settings (the [Ports]
// section of Program.ini, "COM1=/dev/ttyACM0"), empty when none. Handed in
// by whoever resolves names, so the link reads no settings file itself.
using PortMapping = std::function<std::string(const std::string& portName)>;

// The device behind a port name: a name that begins with "/" is a device
// path already; otherwise `mapping` may map it; failing that "COM1" to
// "COM8" (any letter case) are the USB programming cables /dev/ttyUSB0 to
// /dev/ttyUSB7. Empty when the name leads nowhere.
std::string DevicePathFor(const std::string& portName, const PortMapping& mapping);

// The names a port may be given, for messages: "COM1 to COM8 or a device
// path" on Linux, "a COM port such as COM3" on Windows.
extern const char* const kPortNameForms;

// The device behind a port name on Windows, where COM names are the
// system's own and no Program.ini takes part: "COM5" (any letter case, COM1
// to COM256) and "\\.\COM5" lead to \\.\COM5, any other device name
// "\\.\NAME" to itself; anything else fails, saying why. A plain rule,
// resolved the same on every system (PortResolver uses it on Windows).
PortDevice WindowsPortDevice(const std::string& portName);

// How one run of a program resolves port names: through the user's mapping,
// or, in a run with a simulated radio, every name (the empty one included)
// to the simulator's device.
class PortResolver {
public:
    // Through `mapping` (asked only for names that are not device paths) and
    // the default names; on Windows: WindowsPortDevice.
    explicit PortResolver(PortMapping mapping = {});
    static PortResolver Simulated(std::string device);

    PortDevice Resolve(const std::string& portName) const;
    // The simulated radio's device; empty when names lead to real ports.
    const std::string& SimulatedDevice() const { return simulated_; }

private:
    PortDevice LinuxPortDevice(const std::string& portName) const;

    PortMapping mapping_;
    std::string simulated_;
};

}  // namespace torvan
