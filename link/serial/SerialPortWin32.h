#pragma once

#include <string>

#include "link/SerialPort.h"

namespace torvan {

// SerialPort on the Win32 communications API, for a device name such as
// \\.\COM5. The port is held exclusively: opened with no sharing, which the
// system's serial drivers enforce, and claimed by a named object that also
// keeps out a second copy of this program where a driver lets two opens
// through (Wine's). Reads and writes end by the TimeoutProfile, set as the
// port's COMMTIMEOUTS, whose meaning it has. Any thread may use it.
class SerialPortWin32 final : public SerialPort {
public:
    SerialPortWin32() = default;
    ~SerialPortWin32() override;

    SerialPortWin32(const SerialPortWin32&) = delete;
    SerialPortWin32& operator=(const SerialPortWin32&) = delete;

    Result OpenPort(const std::string& path) override;
    void ConfigurePort(const TimeoutProfile& profile) override;
    void Purge() override;
    std::size_t WriteBytes(std::span<const std::uint8_t> bytes) override;
    std::size_t ReadBytes(std::span<std::uint8_t> buffer) override;
    void ClosePort() override;
    void Pause(unsigned milliseconds) override;
    std::string ErrorText() const override { return error_; }

private:
    Result Fail(const std::string& reason);
    void NoteError(const std::string& reason);
    void NoteSystemError(unsigned long code);

    void* port_ = nullptr;   // the device's handle while open
    void* claim_ = nullptr;  // the named object that claims the port
    std::string name_;       // "COM5", as messages name the port
    std::string error_;
};

}  // namespace torvan
