// The live power-tuning exchanges against the simulated radio.
#include <gtest/gtest.h>

#include "link/PowerTuning.h"
#include "tests/link/SimulatedRadio.h"

namespace torvan::test {
namespace {

TEST(PowerTuning, QueriesEveryPointSendsOneAndEnds) {
    const MemoryImage before = PatternMemory(2);
    sim::RadioFaults faults;
    faults.ignoredHandshakes = {1, 2};
    faults.reply16 = true;
    SimulatedRadio radio(before, faults);
    WithPort(radio.Path(), TuningPacing, [&](SerialPort& port) {
        SerialLink link(port);
        for (const LevelPointInfo& info : kLevelPoints) {
            EXPECT_EQ(QueryLevel(link, info.point), before[info.address]) << info.label;
        }
        EXPECT_TRUE(SendLevel(link, LevelPoint::MiddleHigh, 0x07));
        EXPECT_EQ(QueryLevel(link, LevelPoint::MiddleHigh), 0x07);
        EXPECT_TRUE(EndTuning(link));
    });
    EXPECT_TRUE(radio.WaitFor([](const sim::RadioCounters& c) { return c.tuningEnds == 1; }));
    radio.Finish();
    MemoryImage expected = before;
    expected[0xFFB] = 0x07;
    EXPECT_EQ(radio.Memory(), expected);
    EXPECT_EQ(radio.Counters().handshakes, 11U) << "the first query took three";
    EXPECT_EQ(radio.Counters().levelPrepares, 1U);
}

TEST(PowerTuning, SilentRadioFailsEachStepAfterThreeHandshakes) {
    sim::RadioFaults faults;
    faults.silent = true;
    SimulatedRadio radio(PatternMemory(2), faults);
    WithPort(radio.Path(), TuningPacing, [](SerialPort& port) {
        SerialLink link(port);
        EXPECT_FALSE(QueryLevel(link, LevelPoint::LowLow).has_value());
        EXPECT_FALSE(SendLevel(link, LevelPoint::LowLow, 1));
        EXPECT_FALSE(EndTuning(link));
    });
    radio.Finish();
    EXPECT_EQ(radio.Counters().handshakes, 9U);
    EXPECT_EQ(radio.Counters().levelQueries + radio.Counters().levelPrepares, 0U);
}

}  // namespace
}  // namespace torvan::test
