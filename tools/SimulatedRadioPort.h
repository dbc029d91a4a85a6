#pragma once

#include <chrono>
#include <deque>
#include <filesystem>
#include <optional>

#include "link/SerialPort.h"
#include "model/MemoryImage.h"
#include "tools/RadioResponder.h"

namespace torvan::sim {

// A radio fresh from the box: what File New holds with the built-in model
// profiles.
MemoryImage NewRadioMemory();

// A port whose far end is the simulated radio itself, in this process
// (Windows has no pseudo-terminals to put the simulator on). The radio
// answers the bytes written as the simulator on a line does, byte for byte;
// a read takes what it has answered so far and ends at once, as nothing
// more can come before the next write. Its memory is loaded from
// `memoryFile` as the port opens (a new radio's while there is no file) and
// saved there as it closes after a change, so it lasts from one transfer and
// one run to the next; with an empty path every opening starts a new radio.
class SimulatedRadioPort final : public SerialPort {
public:
    explicit SimulatedRadioPort(std::filesystem::path memoryFile);
    ~SimulatedRadioPort() override;

    SimulatedRadioPort(const SimulatedRadioPort&) = delete;
    SimulatedRadioPort& operator=(const SimulatedRadioPort&) = delete;

    Result OpenPort(const std::string& path) override;
    void ConfigurePort(const TimeoutProfile&) override {}
    void Purge() override { pending_.clear(); }
    std::size_t WriteBytes(std::span<const std::uint8_t> bytes) override;
    std::size_t ReadBytes(std::span<std::uint8_t> buffer) override;
    void ClosePort() override;
    void Pause(unsigned milliseconds) override;
    std::string ErrorText() const override { return {}; }

private:
    using Clock = std::chrono::steady_clock;

    std::filesystem::path memoryFile_;
    MemoryImage memory_;
    MemoryImage loaded_;
    std::optional<RadioResponder> responder_;  // while the port is open
    std::deque<std::uint8_t> pending_;         // answered, not read yet
};

}  // namespace torvan::sim
