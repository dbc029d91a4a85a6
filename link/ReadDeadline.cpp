#include "link/ReadDeadline.h"

#include <algorithm>

namespace torvan {

ReadDeadline::ReadDeadline(const TimeoutProfile& profile, std::size_t count,
                           Clock::time_point start)
    : total_(start +
             std::chrono::milliseconds(profile.readMultiplier * count + profile.readConstant)),
      interval_(std::chrono::milliseconds(profile.readInterval)) {}

void ReadDeadline::BytesArrived(Clock::time_point now) {
    anyArrived_ = true;
    lastArrival_ = now;
}

int ReadDeadline::RemainingMs(Clock::time_point now) const {
    Clock::time_point end = total_;
    if (anyArrived_ && interval_.count() > 0) {
        end = std::min(end, lastArrival_ + interval_);
    }
    if (end <= now) {
        return 0;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - now);
    return static_cast<int>(left.count());
}

std::chrono::milliseconds WriteTimeLimit(const TimeoutProfile& profile, std::size_t count) {
    return std::chrono::milliseconds(profile.writeMultiplier * count + profile.writeConstant);
}

}  // namespace torvan
