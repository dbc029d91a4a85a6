#include "link/serial/SerialPortWin32.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <thread>

#include "link/serial/PlatformPort.h"
#include "model/SystemText.h"

namespace torvan {
namespace {

constexpr std::string_view kDevicePrefix = R"(\\.\)";
// What SetupComm asks the driver to queue each way: more than any exchange.
constexpr DWORD kQueueBytes = 4096;

// Errors of a line that went away under a read or a write: a USB adapter
// pulled out, a device that stopped answering its driver.
constexpr std::array<DWORD, 7> kLostLine = {
    ERROR_ACCESS_DENIED,  ERROR_NOT_READY,         ERROR_BAD_COMMAND,
    ERROR_GEN_FAILURE,    ERROR_OPERATION_ABORTED, ERROR_DEVICE_NOT_CONNECTED,
    ERROR_DEVICE_REMOVED,
};

// "\\.\COM5" is shown as the user names it: COM5.
std::string NameOf(const std::string& path) {
    return path.starts_with(kDevicePrefix) ? path.substr(kDevicePrefix.size()) : path;
}

// A kernel object's name takes no backslash past its namespace's, and a
// device name such as GLOBALROOT\Device\Serial0 holds some.
std::wstring ClaimName(const std::string& name) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) {
        return c == '\\' ? '/' : static_cast<char>(std::toupper(c));
    });
    return L"Local\\torvan-pc-encoder-port-" + WideFromUtf8(upper);
}

std::string OpenFailure(const std::string& name, DWORD code) {
    switch (code) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return name + ": in use by another program";
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return name + ": no such port on this computer";
        default:
            return name + ": " + WindowsErrorText(code);
    }
}

HANDLE Handle(void* port) {
    return static_cast<HANDLE>(port);
}

}  // namespace

std::unique_ptr<SerialPort> MakePlatformPort() {
    return std::make_unique<SerialPortWin32>();
}

SerialPortWin32::~SerialPortWin32() {
    ClosePort();
}

Result SerialPortWin32::Fail(const std::string& reason) {
    ClosePort();
    return Result::Failure(reason);
}

void SerialPortWin32::NoteError(const std::string& reason) {
    if (error_.empty()) {
        error_ = reason;
    }
}

void SerialPortWin32::NoteSystemError(unsigned long code) {
    if (std::find(kLostLine.begin(), kLostLine.end(), code) != kLostLine.end()) {
        NoteError(name_ + ": the line was lost (cable pulled or device removed)");
    } else {
        NoteError(name_ + ": " + WindowsErrorText(code));
    }
}

// Never writes a protocol byte into anything but a serial port: a device
// that has no communications state (NUL, a file) is refused.
Result SerialPortWin32::OpenPort(const std::string& path) {
    ClosePort();
    error_.clear();
    name_ = NameOf(path);
    claim_ = ::CreateMutexW(nullptr, FALSE, ClaimName(name_).c_str());
    if (claim_ == nullptr) {
        return Fail(name_ + ": " + WindowsErrorText(::GetLastError()));
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        return Fail(name_ + ": in use by another program");
    }
    const HANDLE port = ::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        return Fail(OpenFailure(name_, ::GetLastError()));
    }
    port_ = port;
    DCB state{};
    state.DCBlength = sizeof state;
    if (::GetCommState(port, &state) == FALSE) {
        return Fail(name_ + ": not a serial port");
    }
    // Requests only: a driver may keep queues of its own size.
    ::SetupComm(port, kQueueBytes, kQueueBytes);
    ::PurgeComm(port, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
    return Result::Success();
}

// 9600 8N1, raw bytes, no flow control. DTR and RTS are raised where the
// line has them (some cables draw their power from them); a line without
// modem control refuses them, and works all the same.
void SerialPortWin32::ConfigurePort(const TimeoutProfile& profile) {
    if (port_ == nullptr) {
        return;
    }
    DCB state{};
    state.DCBlength = sizeof state;
    if (::GetCommState(Handle(port_), &state) == FALSE) {
        NoteSystemError(::GetLastError());
        return;
    }
    state.BaudRate = CBR_9600;
    state.ByteSize = 8;
    state.Parity = NOPARITY;
    state.StopBits = ONESTOPBIT;
    state.fBinary = TRUE;
    state.fParity = FALSE;
    state.fOutxCtsFlow = FALSE;
    state.fOutxDsrFlow = FALSE;
    state.fDsrSensitivity = FALSE;
    state.fOutX = FALSE;
    state.fInX = FALSE;
    state.fErrorChar = FALSE;
    state.fNull = FALSE;
    state.fAbortOnError = FALSE;
    state.fDtrControl = DTR_CONTROL_ENABLE;
    state.fRtsControl = RTS_CONTROL_ENABLE;
    if (::SetCommState(Handle(port_), &state) == FALSE) {
        state.fDtrControl = DTR_CONTROL_DISABLE;
        state.fRtsControl = RTS_CONTROL_DISABLE;
        if (::SetCommState(Handle(port_), &state) == FALSE) {
            NoteSystemError(::GetLastError());
        }
    }
    COMMTIMEOUTS timeouts{profile.readInterval, profile.readMultiplier, profile.readConstant,
                          profile.writeMultiplier, profile.writeConstant};
    if (::SetCommTimeouts(Handle(port_), &timeouts) == FALSE) {
        NoteSystemError(::GetLastError());
    }
}

// Only the input: a write has left nothing queued for output (it finished,
// or its time-out discarded the rest), and flushing output anyway could
// drop bytes a slow far end has not taken yet.
void SerialPortWin32::Purge() {
    if (port_ != nullptr) {
        ::PurgeComm(Handle(port_), PURGE_RXABORT | PURGE_RXCLEAR);
    }
}

std::size_t SerialPortWin32::WriteBytes(std::span<const std::uint8_t> bytes) {
    if (port_ == nullptr || bytes.empty()) {
        return 0;
    }
    DWORD written = 0;
    if (::WriteFile(Handle(port_), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                    nullptr) == FALSE) {
        NoteSystemError(::GetLastError());
    } else if (written < bytes.size()) {
        // What the time-out cut off must not go out later, ahead of the
        // next command.
        ::PurgeComm(Handle(port_), PURGE_TXABORT | PURGE_TXCLEAR);
        NoteError(name_ + ": write time-out");
    }
    return written;
}

std::size_t SerialPortWin32::ReadBytes(std::span<std::uint8_t> buffer) {
    if (port_ == nullptr || buffer.empty()) {
        return 0;
    }
    DWORD got = 0;
    if (::ReadFile(Handle(port_), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                   nullptr) == FALSE) {
        NoteSystemError(::GetLastError());
    }
    return got;
}

void SerialPortWin32::ClosePort() {
    if (port_ != nullptr) {
        ::CloseHandle(Handle(port_));
        port_ = nullptr;
    }
    if (claim_ != nullptr) {
        ::CloseHandle(Handle(claim_));
        claim_ = nullptr;
    }
}

void SerialPortWin32::Pause(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace torvan
