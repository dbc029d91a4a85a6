#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/Result.h"

namespace torvan {

// Time-outs of one port configuration, in milliseconds, with the meaning of
// the Windows communication time-outs: a read of n bytes ends when n bytes
// have arrived, when the gap after a received byte exceeds `readInterval`, or
// when `readMultiplier` * n + `readConstant` has passed; a write of n bytes is
// bounded by `writeMultiplier` * n + `writeConstant`.
struct TimeoutProfile {
    unsigned readInterval = 0;
    unsigned readMultiplier = 0;
    unsigned readConstant = 0;
    unsigned writeMultiplier = 0;
    unsigned writeConstant = 0;
};

// The clone transfer's time-outs.
inline constexpr TimeoutProfile ClonePacing{30, 50, 100, 50, 50};
// The power tuning's time-outs.
inline constexpr TimeoutProfile TuningPacing{50, 100, 100, 50, 50};

// The platform operations the radio protocol needs. Results of everything but
// OpenPort are informative only: the protocol judges replies by the contents
// of its zeroed receive buffer, so silence and wrong answers fail alike.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the device at `path` exclusively; fails, with the system's reason
    // as the message, when it is missing, in use or not a serial device.
    virtual Result OpenPort(const std::string& path) = 0;
    // 9600 baud, 8 data bits, no parity, 1 stop bit, raw bytes, `profile`.
    virtual void ConfigurePort(const TimeoutProfile& profile) = 0;
    // Discards everything queued in either direction.
    virtual void Purge() = 0;
    // Returns once the bytes have left the driver or the write time-out has
    // passed; the result is the count sent.
    virtual std::size_t WriteBytes(std::span<const std::uint8_t> bytes) = 0;
    // Places up to buffer.size() bytes at the start of `buffer` under the
    // read time-outs and returns the count.
    virtual std::size_t ReadBytes(std::span<std::uint8_t> buffer) = 0;
    // Releases the port; harmless when it is not open.
    virtual void ClosePort() = 0;
    // Waits at least `milliseconds`.
    virtual void Pause(unsigned milliseconds) = 0;
    // The operating system's reason for the first failure since OpenPort
    // opened the port; empty when nothing failed.
    virtual std::string ErrorText() const = 0;
};

}  // namespace torvan
