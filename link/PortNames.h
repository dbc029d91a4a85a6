#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "model/Result.h"

namespace torvan {

class IniStore;

// A port name resolved where a command starts: the device to open, or why
// the name leads to none.
using PortDevice = ResultOf<std::string>;

// The device behind a port name: a name that begins with "/" is a device
// path already; otherwise the [Ports] section of Program.ini may map it
// ("COM1=/dev/ttyACM0"); failing that "COM1" to "COM8" (any letter case) are
// the USB programming cables /dev/ttyUSB0 to /dev/ttyUSB7. Empty when the
// name leads nowhere.
std::string DevicePathFor(const std::string& portName, const IniStore& ini);

// The names a port may be given, for messages: "COM1 to COM8 or a device
// path" on Linux, "a COM port such as COM3" on Windows.
extern const char* const kPortNameForms;

// The device behind a port name on Windows, where COM names are the
// system's own and no Program.ini takes part: "COM5" (any letter case, COM1
// to COM256) and "\\.\COM5" lead to \\.\COM5, any other device name
// "\\.\NAME" to itself; anything else fails, saying why. A plain rule,
// resolved the same on every system (PortResolver uses it on Windows).
PortDevice WindowsPortDevice(const std::string& portName);

// How one run of a program resolves port names: through Program.ini, or,
// in a run with a simulated radio, every name (the empty one included) to
// the simulator's device.
class PortResolver {
public:
    // Through the Program.ini at `iniPath`; without one, through Program.ini
    // at its usual place (as IniStore() finds or makes it). The file is read
    // at each resolution of a name that is not a device path, so an edit of
    // [Ports] counts from the next command. On Windows: WindowsPortDevice.
    explicit PortResolver(std::optional<std::filesystem::path> iniPath = std::nullopt);
    static PortResolver Simulated(std::string device);

    PortDevice Resolve(const std::string& portName) const;
    // The simulated radio's device; empty when names lead to real ports.
    const std::string& SimulatedDevice() const { return simulated_; }

private:
    PortDevice LinuxPortDevice(const std::string& portName) const;

    std::optional<std::filesystem::path> iniPath_;
    std::string simulated_;
};

}  // namespace torvan
