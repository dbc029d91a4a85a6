#include "link/serial/SerialPortQt.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <QSerialPort>
#include <cerrno>
#include <filesystem>
#include <thread>

#include "link/ReadDeadline.h"
#include "link/serial/PlatformPort.h"
#include "model/SystemText.h"

namespace torvan {
namespace {

using Clock = std::chrono::steady_clock;

// One byte of 8N1 at 9600 baud, rounded up to whole microseconds.
constexpr std::chrono::microseconds kByteTime{1042};

// What a character device is, asked without opening it (opening some
// devices has effects of its own).
enum class DeviceKind { SerialLine, OtherTerminal, NotTerminal };

// Serial lines are pseudo-terminal slaves (a simulated radio; they have no
// sysfs entry) and terminals backed by hardware: UARTs, USB and ACM
// adapters. /dev/tty, /dev/console, /dev/ptmx and the virtual consoles are
// terminals without a device: protocol bytes would land on somebody's screen.
DeviceKind ClassifyDevice(dev_t device) {
#ifdef __linux__
    constexpr unsigned kPtySlaveFirst = 136;
    constexpr unsigned kPtySlaveLast = 143;
    const unsigned major = ::major(device);
    if (major >= kPtySlaveFirst && major <= kPtySlaveLast) {
        return DeviceKind::SerialLine;
    }
    const std::filesystem::path node =
        "/sys/dev/char/" + std::to_string(major) + ":" + std::to_string(::minor(device));
    std::error_code error;
    if (std::filesystem::read_symlink(node / "subsystem", error).filename() != "tty") {
        return DeviceKind::NotTerminal;
    }
    return std::filesystem::exists(node / "device", error) ? DeviceKind::SerialLine
                                                           : DeviceKind::OtherTerminal;
#else
    (void)device;
    return DeviceKind::SerialLine;  // isatty() after opening decides
#endif
}

// The terminal this program was started from (any of its standard streams).
bool IsOwnTerminal(dev_t device) {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        struct stat info {};
        if (::isatty(fd) != 0 && ::fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) &&
            info.st_rdev == device) {
            return true;
        }
    }
    return false;
}

// Why a device is refused as a port; empty when it is a serial line.
std::string RefusalOf(const std::string& path, dev_t device) {
    switch (ClassifyDevice(device)) {
        case DeviceKind::NotTerminal:
            return path + ": not a serial device";
        case DeviceKind::OtherTerminal:
            return path + ": a terminal or console, not a serial line";
        case DeviceKind::SerialLine:
            break;
    }
    return IsOwnTerminal(device) ? path + ": the terminal this program runs in" : std::string();
}

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

SerialPortQt::DriverQueue SerialPortQt::SystemDriverQueue() {
    return DriverQueue{[](int fd) {
                           int queued = 0;
                           return ::ioctl(fd, TIOCOUTQ, &queued) == 0 ? queued : 0;
                       },
                       [](int fd) { ::tcflush(fd, TCOFLUSH); }};
}

SerialPortQt::SerialPortQt(DriverQueue driverQueue) : driverQueue_(std::move(driverQueue)) {}

std::unique_ptr<SerialPort> MakePlatformPort() {
    return std::make_unique<SerialPortQt>();
}

SerialPortQt::~SerialPortQt() {
    ClosePort();
}

Result SerialPortQt::Fail(const std::string& reason) {
    ClosePort();
    return Result::Failure(reason);
}

// A hung-up line reads as end of file (Qt's ReadError, with a stale errno)
// or fails outright (ResourceError); either way the device is gone.
void SerialPortQt::NotePortError() {
    const auto error = port_->error();
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
        NoteError(path_ + ": the line was lost (cable pulled or device removed)");
    } else {
        NoteError(path_ + ": " + port_->errorString().toStdString());
    }
}

void SerialPortQt::NoteError(const std::string& reason) {
    if (error_.empty()) {
        error_ = reason;
    }
}

Result SerialPortQt::OpenPort(const std::string& path) {
    ClosePort();
    error_.clear();
    path_ = path;
    return OpenDevice(path);
}

// Never writes a protocol byte into anything but a terminal: the path must
// name a character device that answers as a tty before QSerialPort sees it.
Result SerialPortQt::OpenDevice(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return Fail(path + ": " + ErrnoText(errno));
    }
    if (!S_ISCHR(info.st_mode)) {
        return Fail(path + ": not a serial device");
    }
    if (const std::string refusal = RefusalOf(path, info.st_rdev); !refusal.empty()) {
        return Fail(refusal);
    }
    lockFd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (lockFd_ < 0) {
        return Fail(path + ": " + ErrnoText(errno));
    }
    if (::isatty(lockFd_) == 0) {
        return Fail(path + ": not a serial device");
    }
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        return Fail(path + ": in use by another program");
    }
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(QString::fromStdString(path));
    if (!port_->open(QIODevice::ReadWrite)) {
        const std::string qtReason = port_->errorString().toStdString();
        // The device itself opened above, so a permission refusal now is the
        // lock file a serial terminal keeps while it holds the port; said as
        // Qt says it, it would send the user after group memberships.
        if (port_->error() == QSerialPort::PermissionError) {
            return Fail(path + ": in use by another program (" + qtReason + ")");
        }
        return Fail(path + ": " + qtReason);
    }
    struct stat opened {};
    if (::fstat(static_cast<int>(port_->handle()), &opened) != 0 ||
        opened.st_rdev != info.st_rdev) {
        return Fail(path + ": the device changed while it was opened");
    }
    return Result::Success();
}

void SerialPortQt::ConfigurePort(const TimeoutProfile& profile) {
    profile_ = profile;
    if (!port_) {
        return;
    }
    // QSerialPort opens in raw mode without flow control; only the line
    // settings are set here, and a refused setting leaves the port as it was.
    port_->setBaudRate(QSerialPort::Baud9600);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
}

// Only the input needs discarding: WriteBytes leaves nothing queued for
// output (it drains, or clears what a time-out cut off). Flushing output
// anyway would, on a pseudo-terminal, drop bytes the far end has not picked
// up yet.
void SerialPortQt::Purge() {
    if (port_) {
        port_->clear(QSerialPort::Input);
    }
}

std::size_t SerialPortQt::WriteBytes(std::span<const std::uint8_t> bytes) {
    if (!port_ || bytes.empty()) {
        return 0;
    }
    const auto deadline = Clock::now() + WriteTimeLimit(profile_, bytes.size());
    port_->clearError();
    const qint64 queued = port_->write(reinterpret_cast<const char*>(bytes.data()),
                                       static_cast<qint64>(bytes.size()));
    if (queued < 0) {
        NotePortError();
        return 0;
    }
    // Without an event loop only the waits move bytes from Qt's buffer to
    // the driver.
    while (port_->bytesToWrite() > 0) {
        const int left = MillisecondsUntil(deadline);
        if (left == 0 || !port_->waitForBytesWritten(left)) {
            break;
        }
    }
    if (const auto error = port_->error();
        error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
        NotePortError();  // the line went away under the write: no time-out
    }
    const auto unsent = static_cast<std::size_t>(port_->bytesToWrite());
    const std::size_t stuck = unsent > 0 ? unsent : DrainOutput(deadline);
    if (stuck > 0) {
        DiscardUnsent();
        return static_cast<std::size_t>(queued) - std::min(stuck, bytes.size());
    }
    return bytes.size();
}

// Waits, within the write time-out, until the driver has sent everything: a
// flush straight after a write would otherwise drop bytes still queued.
// Returns the count still queued when the time-out ended the wait.
std::size_t SerialPortQt::DrainOutput(Clock::time_point deadline) {
    const int fd = static_cast<int>(port_->handle());
    for (;;) {
        const int queued = driverQueue_.waiting(fd);
        if (queued <= 0) {
            return 0;
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            return static_cast<std::size_t>(queued);
        }
        const auto lineTime = std::chrono::duration_cast<Clock::duration>(kByteTime * queued);
        std::this_thread::sleep_for(std::min(lineTime, deadline - now));
    }
}

// What a write time-out cut off must not go out later, ahead of the next
// command: Qt's buffer and the driver's queue are both emptied.
void SerialPortQt::DiscardUnsent() {
    port_->clear(QSerialPort::Output);
    driverQueue_.discard(static_cast<int>(port_->handle()));
    NoteError(path_ + ": write time-out");
}

std::size_t SerialPortQt::ReadBytes(std::span<std::uint8_t> buffer) {
    if (!port_ || buffer.empty()) {
        return 0;
    }
    ReadDeadline deadline(profile_, buffer.size(), Clock::now());
    std::size_t got = 0;
    port_->clearError();
    for (;;) {
        const qint64 n = port_->read(reinterpret_cast<char*>(buffer.data() + got),
                                     static_cast<qint64>(buffer.size() - got));
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            deadline.BytesArrived(Clock::now());
        }
        if (got == buffer.size()) {
            break;
        }
        const int left = deadline.RemainingMs(Clock::now());
        if (left == 0) {
            break;
        }
        if (!port_->waitForReadyRead(left) && port_->error() != QSerialPort::NoError &&
            port_->error() != QSerialPort::TimeoutError) {
            // The device is gone or broken: more waiting cannot bring bytes.
            NotePortError();
            break;
        }
    }
    return got;
}

void SerialPortQt::ClosePort() {
    if (port_) {
        port_->close();
        port_.reset();
    }
    if (lockFd_ >= 0) {
        ::flock(lockFd_, LOCK_UN);
        ::close(lockFd_);
        lockFd_ = -1;
    }
}

void SerialPortQt::Pause(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace torvan
