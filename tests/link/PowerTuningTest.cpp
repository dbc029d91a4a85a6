// The live power-tuning exchanges against the simulated radio.
#include <gtest/gtest.h>

#include "link/PowerTuning.h"
#include "link/qt/SerialPortQt.h"
#include "link/qt/SerialThread.h"
#include "tests/link/SimulatedRadio.h"
#include "tools/SimulatorSettings.h"

namespace torvan::test {
namespace {

using sim::PatternMemory;

// Opens the radio's port with TuningPacing and runs `steps` on a serial thread.
template <typename Steps>
void Tune(const SimulatedRadio& radio, Steps steps) {
    RunOnSerialThread([&] {
        SerialPortQt port;
        ASSERT_TRUE(port.OpenPort(radio.Path())) << port.ErrorText();
        port.ConfigurePort(TuningPacing);
        SerialLink link(port);
        steps(link);
        port.ClosePort();
    });
}

TEST(PowerTuning, QueriesEveryPoint) {
    const MemoryImage memory = PatternMemory(2);
    SimulatedRadio radio(memory);
    Tune(radio, [&](SerialLink& link) {
        for (const LevelPointInfo& info : kLevelPoints) {
            EXPECT_EQ(QueryLevel(link, info.point), memory[info.address]) << info.label;
        }
    });
    EXPECT_EQ(radio.Counters().levelQueries, 6U);
}

TEST(PowerTuning, SendChangesOnlyItsAddress) {
    const MemoryImage before = PatternMemory(2);
    sim::RadioFaults faults;
    faults.reply16 = true;
    SimulatedRadio radio(before, faults);
    Tune(radio, [&](SerialLink& link) {
        EXPECT_TRUE(QueryLevel(link, LevelPoint::MiddleHigh).has_value());
        EXPECT_TRUE(SendLevel(link, LevelPoint::MiddleHigh, 0x07));
        EXPECT_EQ(QueryLevel(link, LevelPoint::MiddleHigh), 0x07);
        EXPECT_TRUE(EndTuning(link));
    });
    EXPECT_TRUE(radio.WaitFor([](const sim::RadioCounters& c) { return c.tuningEnds == 1; }));
    radio.Finish();
    MemoryImage expected = before;
    expected[0xFFB] = 0x07;
    EXPECT_EQ(radio.Memory(), expected);
    EXPECT_EQ(radio.Counters().levelPrepares, 1U);
}

TEST(PowerTuning, SilentRadioFailsEachStepAfterThreeHandshakes) {
    sim::RadioFaults faults;
    faults.silent = true;
    SimulatedRadio radio(PatternMemory(2), faults);
    Tune(radio, [&](SerialLink& link) {
        EXPECT_FALSE(QueryLevel(link, LevelPoint::LowLow).has_value());
        EXPECT_FALSE(SendLevel(link, LevelPoint::LowLow, 1));
        EXPECT_FALSE(EndTuning(link));
    });
    EXPECT_EQ(radio.Counters().handshakes, 9U);
    EXPECT_EQ(radio.Counters().levelQueries, 0U);
}

TEST(PowerTuning, TwoIgnoredHandshakesAreRetried) {
    sim::RadioFaults faults;
    faults.ignoredHandshakes = {1, 2};
    const MemoryImage memory = PatternMemory(2);
    SimulatedRadio radio(memory, faults);
    Tune(radio, [&](SerialLink& link) {
        EXPECT_EQ(QueryLevel(link, LevelPoint::HighHigh), memory[0xFFD]);
        EXPECT_TRUE(EndTuning(link));
    });
    EXPECT_EQ(radio.Counters().handshakes, 4U);
}

}  // namespace
}  // namespace torvan::test
