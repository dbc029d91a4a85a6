// The live power-tuning exchanges against the simulated radio: a query, a
// send and the end of tuning, under every fault of the radio.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/PowerTuning.h"
#include "link/serial/SerialPortQt.h"
#include "link/serial/SerialThread.h"
#include "tests/RadioOnPty.h"

namespace torvan::test {
namespace {

using F = sim::RadioFaults;
using P = LevelPoint;
using testing_support::Ignoring;
using testing_support::With;

struct TuneCase {
    const char* name;
    LevelPoint point;  // each point once, so every query code meets its byte
    F faults;
    // Which of query, send and end succeeded: "-" failed; "?" the send was
    // stored, its reply may be lost.
    const char* steps;
    unsigned handshakes;  // that reached the radio, ignored ones included
};

// Each step tries three handshakes; a failed step does not stop the next.
TEST(PowerTuning, StepsTolerateWhatTheProtocolAllows) {
    const TuneCase cases[] = {
        {"clean", P::LowLow, {}, "qse", 3},
        {"0x16", P::LowHigh, With(&F::reply16, true), "qse", 3},
        {"junk", P::MiddleLow, With(&F::junk, true), "qse", 3},
        {"two ignored", P::MiddleHigh, Ignoring({1, 2}), "qse", 5},
        {"three ignored in a row", P::HighLow, Ignoring({2, 3, 4}), "q-e", 5},
        {"silence", P::HighHigh, With(&F::silent, true), "---", 9},
        {"refused write", P::LowLow, With(&F::refusedWrite, 0xFF8), "q-e", 3},
        // The line goes as the stored value's reply leaves.
        {"pulled cable", P::LowHigh, With(&F::pullAfter, 0xFF9), "q?-", 2},
    };
    for (const TuneCase& c : cases) {
        SCOPED_TRACE(c.name);
        const MemoryImage before = sim::PatternMemory(2);
        const std::size_t address = InfoOf(c.point).address;
        testing_support::RadioOnPty radio(before, c.faults);
        std::string steps;
        RunOnSerialThread([&] {
            SerialPortQt port;
            const Result opened = port.OpenPort(radio.Path());
            ASSERT_TRUE(opened.ok) << opened.error;
            port.ConfigurePort(TuningPacing);
            SerialLink link(port);
            const auto level = QueryLevel(link, c.point);
            steps += level ? 'q' : '-';
            EXPECT_EQ(level.value_or(before[address]), before[address]);
            steps += SendLevel(link, c.point, 0x07) ? 's' : '-';
            steps += EndTuning(link) ? 'e' : '-';
        });
        std::string want = c.steps;
        std::replace(want.begin(), want.end(), '?', steps.at(1));
        EXPECT_EQ(steps, want);
        const unsigned ends = c.steps[2] == 'e' ? 1U : 0U;
        EXPECT_TRUE(
            radio.WaitFor([&](const sim::RadioCounters& n) { return n.tuningEnds >= ends; }));
        radio.Finish();
        EXPECT_EQ(radio.Counters().handshakes, c.handshakes);
        EXPECT_EQ(radio.Counters().tuningEnds, ends);
        MemoryImage expected = before;
        expected[address] = c.steps[1] == '-' ? before[address] : 0x07;
        EXPECT_EQ(radio.Memory(), expected);
    }
}

}  // namespace
}  // namespace torvan::test
