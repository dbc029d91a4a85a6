#include <gtest/gtest.h>

#include "link/ReadDeadline.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;
using Clock = ReadDeadline::Clock;

const Clock::time_point t0 = Clock::time_point{} + 1h;

TEST(ReadDeadline, SilenceWaitsForTheTotal) {
    const ReadDeadline d(ClonePacing, 12, t0);
    EXPECT_EQ(d.RemainingMs(t0), 700);  // 100 + 50 x 12
    EXPECT_EQ(d.RemainingMs(t0 + 699ms), 1);
    EXPECT_EQ(d.RemainingMs(t0 + 700ms), 0);
}

TEST(ReadDeadline, IntervalRunsFromTheLatestByte) {
    ReadDeadline d(ClonePacing, 12, t0);
    d.BytesArrived(t0 + 10ms);
    EXPECT_EQ(d.RemainingMs(t0 + 10ms), 30);
    d.BytesArrived(t0 + 35ms);
    EXPECT_EQ(d.RemainingMs(t0 + 40ms), 25);
    EXPECT_EQ(d.RemainingMs(t0 + 65ms), 0);
}

TEST(ReadDeadline, TotalStillBoundsATrickle) {
    ReadDeadline d(TuningPacing, 1, t0);  // total 200, interval 50
    d.BytesArrived(t0 + 180ms);
    EXPECT_EQ(d.RemainingMs(t0 + 180ms), 20);
}

TEST(ReadDeadline, ZeroIntervalMeansTotalOnly) {
    ReadDeadline d(TimeoutProfile{0, 0, 150, 0, 0}, 4, t0);
    d.BytesArrived(t0 + 1ms);
    EXPECT_EQ(d.RemainingMs(t0 + 100ms), 50);
}

TEST(ReadDeadline, RoundsPartialMillisecondsUp) {
    const ReadDeadline d(ClonePacing, 1, t0);
    EXPECT_EQ(d.RemainingMs(t0 + 149'100us), 1);
}

TEST(ReadDeadline, WriteLimit) {
    EXPECT_EQ(WriteTimeLimit(ClonePacing, 4), 250ms);
    EXPECT_EQ(WriteTimeLimit(TuningPacing, 1), 100ms);
}

}  // namespace
}  // namespace torvan::test
