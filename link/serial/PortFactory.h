#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "link/PortNames.h"
#include "link/SerialPort.h"

namespace torvan {

// What every port name leads to in a run with the in-process simulated radio.
inline constexpr const char* kSimulatedRadioDevice = "simulated radio";

// Where the simulated radio keeps its memory between runs:
// simulated-radio.sin in the program's data folder (as scripts/run.sh keeps
// the pseudo-terminal simulator's); empty when there is no data folder.
std::filesystem::path SimulatedRadioFile();

// From now on every port of this run is the in-process simulated radio, its
// memory kept in `memoryFile` (see SimulatedRadioPort); std::nullopt returns
// to the platform's ports. Called where a program starts, before any port
// is made.
void SimulateRadio(std::optional<std::filesystem::path> memoryFile);
bool RadioSimulated();

// A closed port: the platform's serial port (SerialPortQt, SerialPortWin32),
// or the simulated radio when it is switched on.
std::unique_ptr<SerialPort> MakeSerialPort();

// How this run resolves port names: through Program.ini (`iniPath`, or its
// usual place), or every name to the simulated radio when it is switched on.
PortResolver RunPortResolver(std::optional<std::filesystem::path> iniPath = std::nullopt);

}  // namespace torvan
