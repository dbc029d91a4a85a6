#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "link/SerialPort.h"

class QSerialPort;

namespace torvan {

// SerialPort on Qt's QSerialPort. Open, use and close it on one QThread (a
// QSerialPort needs its thread's event dispatcher; see RunOnSerialThread).
// The port is held exclusively: QSerialPort's lock file plus an advisory
// flock on the device, which also keeps out a second program run as root.
class SerialPortQt final : public SerialPort {
public:
    // The driver's transmit queue: how many bytes still wait in it, and
    // dropping them. Replaceable because pseudo-terminals always report it
    // empty, which leaves the write time-out path unreachable in tests.
    struct DriverQueue {
        std::function<int(int fd)> waiting;
        std::function<void(int fd)> discard;
    };
    static DriverQueue SystemDriverQueue();

    explicit SerialPortQt(DriverQueue driverQueue = SystemDriverQueue());
    ~SerialPortQt() override;

    SerialPortQt(const SerialPortQt&) = delete;
    SerialPortQt& operator=(const SerialPortQt&) = delete;

    Result OpenPort(const std::string& path) override;
    void ConfigurePort(const TimeoutProfile& profile) override;
    void Purge() override;
    std::size_t WriteBytes(std::span<const std::uint8_t> bytes) override;
    std::size_t ReadBytes(std::span<std::uint8_t> buffer) override;
    void ClosePort() override;
    void Pause(unsigned milliseconds) override;
    std::string ErrorText() const override { return error_; }

private:
    Result OpenDevice(const std::string& path);
    Result Fail(const std::string& reason);
    void NoteError(const std::string& reason);
    void NotePortError();
    std::size_t DrainOutput(std::chrono::steady_clock::time_point deadline);
    void DiscardUnsent();

    std::unique_ptr<QSerialPort> port_;
    std::string path_;
    int lockFd_ = -1;
    TimeoutProfile profile_ = ClonePacing;
    std::string error_;
    DriverQueue driverQueue_;
};

}  // namespace torvan
