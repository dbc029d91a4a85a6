#pragma once

#include <cstddef>

#include "link/SerialPort.h"

namespace torvan::bench {

// Passes every operation to a real port and counts what crossed the line
// and how long the protocol itself paused.
class CountingPort final : public SerialPort {
public:
    explicit CountingPort(SerialPort& port) : port_(port) {}

    Result OpenPort(const std::string& path) override { return port_.OpenPort(path); }
    void ConfigurePort(const TimeoutProfile& profile) override { port_.ConfigurePort(profile); }
    void Purge() override { port_.Purge(); }
    std::size_t WriteBytes(std::span<const std::uint8_t> bytes) override {
        const std::size_t n = port_.WriteBytes(bytes);
        sent += n;
        return n;
    }
    std::size_t ReadBytes(std::span<std::uint8_t> buffer) override {
        const std::size_t n = port_.ReadBytes(buffer);
        received += n;
        return n;
    }
    void ClosePort() override { port_.ClosePort(); }
    void Pause(unsigned milliseconds) override {
        pausedMs += milliseconds;
        port_.Pause(milliseconds);
    }
    std::string ErrorText() const override { return port_.ErrorText(); }

    std::size_t sent = 0;
    std::size_t received = 0;
    unsigned pausedMs = 0;

private:
    SerialPort& port_;
};

}  // namespace torvan::bench
