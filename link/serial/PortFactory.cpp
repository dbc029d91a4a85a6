#include "link/serial/PortFactory.h"

#include "link/serial/PlatformPort.h"
#include "tools/SimulatedRadioPort.h"

namespace torvan {
namespace {

// The run's one switch: set at start, read by every port made afterwards.
std::optional<std::filesystem::path>& SimulatedMemory() {
    static std::optional<std::filesystem::path> file;
    return file;
}

}  // namespace

void SimulateRadio(std::optional<std::filesystem::path> memoryFile) {
    SimulatedMemory() = std::move(memoryFile);
}

bool RadioSimulated() {
    return SimulatedMemory().has_value();
}

std::unique_ptr<SerialPort> MakeSerialPort() {
    if (const auto& file = SimulatedMemory()) {
        return std::make_unique<sim::SimulatedRadioPort>(*file);
    }
    return MakePlatformPort();
}

PortResolver RunPortResolver(PortMapping mapping) {
    return RadioSimulated() ? PortResolver::Simulated(kSimulatedRadioDevice)
                            : PortResolver(std::move(mapping));
}

}  // namespace torvan
