#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "link/PortNames.h"
#include "link/SerialPort.h"

namespace torvan {

// What every port name leads to in a run with the in-process simulated radio.
inline constexpr const char* kSimulatedRadioDevice = "simulated radio";

// From now on every port of this run is the in-process simulated radio, its
// memory kept in `memoryFile` (see SimulatedRadioPort); std::nullopt returns
// to the platform's ports. Called where a program starts, before any port
// is made.
void SimulateRadio(std::optional<std::filesystem::path> memoryFile);
bool RadioSimulated();

// A closed port: the platform's serial port (SerialPortQt, SerialPortWin32),
// or the simulated radio when it is switched on.
std::unique_ptr<SerialPort> MakeSerialPort();

// How this run resolves port names: through the user's `mapping`, or every
// name to the simulated radio when it is switched on.
PortResolver RunPortResolver(PortMapping mapping);

}  // namespace torvan
