#pragma once

#include <chrono>
#include <cstddef>

#include "link/SerialPort.h"

namespace torvan {

// The end of one read under a TimeoutProfile: the total time-out runs from
// the start of the read, the interval time-out from the latest arrival, and
// only once the first byte has come.
class ReadDeadline {
public:
    using Clock = std::chrono::steady_clock;

    ReadDeadline(const TimeoutProfile& profile, std::size_t count, Clock::time_point start);

    // Some bytes were received at `now`.
    void BytesArrived(Clock::time_point now);
    // Whole milliseconds still to wait (rounded up, so a wait never ends
    // early), or 0 when the read is over.
    int RemainingMs(Clock::time_point now) const;

private:
    Clock::time_point total_;
    Clock::duration interval_;
    bool anyArrived_ = false;
    Clock::time_point lastArrival_;
};

// How long a write of `count` bytes may take under `profile`.
std::chrono::milliseconds WriteTimeLimit(const TimeoutProfile& profile, std::size_t count);

}  // namespace torvan
