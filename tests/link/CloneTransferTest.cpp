// Clone Read and Write through the real protocol code and QSerialPort binding
// against the simulated radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/TransferBusy.h"
#include "model/ImageCodec.h"
#include "tests/link/SimulatedRadio.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;

constexpr auto kRead = CloneDirection::Read;
constexpr auto kWrite = CloneDirection::Write;
constexpr const char* kOk = nullptr;
constexpr const char* kComm = clone_message::kCommunicationError;
constexpr const char* kPassword = clone_message::kPasswordError;

// What one case starts from: the radio's faults and memory, and an image
// that differs from that memory everywhere but in the (simulator's) band.
struct Start {
    sim::RadioFaults faults;
    MemoryImage radio = PatternMemory(5);
    MemoryImage image = PatternMemory(6);
};

struct Case {
    const char* name;
    CloneDirection direction;
    const char* message;  // kOk: the transfer succeeds
    unsigned handshakes;  // what the radio saw
    unsigned writes;
    void (*prepare)(Start&);
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

void Passwords(Start& s, const char* radio, const char* panel) {
    EncodePasswordBytes(radio, s.radio);
    EncodePasswordBytes(panel, s.image);
}

// The radio leaves these handshakes (counted from 1) unanswered.
template <unsigned... Ordinals>
void Ignoring(Start& s) {
    s.faults.ignoredHandshakes = {Ordinals...};
}

class Clone : public testing::TestWithParam<Case> {};

TEST_P(Clone, EndsPromptlyAsExpected) {
    const Case& c = GetParam();
    const bool read = c.direction == kRead;
    Start s;
    if (c.prepare != nullptr) {
        c.prepare(s);
    }
    SimulatedRadio radio(s.radio, s.faults);
    MemoryImage image = s.image;

    const auto start = std::chrono::steady_clock::now();
    const CloneResult result = RunClone(c.direction, radio.Path(), image);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
    radio.Finish();

    EXPECT_EQ(radio.Counters().handshakes, c.handshakes);
    EXPECT_EQ(radio.Counters().writes, c.writes);
    if (c.writes == 0) {
        EXPECT_EQ(radio.Memory(), s.radio) << "nothing written";
    }
    if (c.message != kOk || !read) {
        EXPECT_EQ(image, s.image) << "only a complete Read changes the image";
    }
    if (c.message != kOk) {
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.sink.failure, c.message);
        EXPECT_EQ(result.sink.events.back(), "failed");
        return;
    }
    ASSERT_TRUE(result.ok) << result.sink.failure << " " << result.reason;
    EXPECT_EQ(result.sink.events, (Events{"disable", "progress", "ok"}));
    const std::size_t upper = read ? 512 : 448;
    ASSERT_EQ(result.sink.percentTexts.size(), upper);
    EXPECT_EQ(result.sink.upper, static_cast<int>(upper));
    EXPECT_EQ(result.sink.percentTexts[upper / 2 - 2], "49%") << "rounded down";
    EXPECT_EQ(result.sink.percentTexts.back(), "100%");
    if (read) {
        EXPECT_EQ(image, s.radio);
        return;
    }
    // 0x000-0xDFF from the image, and the band (already the same) at 0xFF0.
    MemoryImage written = s.radio;
    std::copy_n(s.image.bytes().begin(), 0xE00, written.bytes().begin());
    EXPECT_EQ(radio.Memory(), written);
}

INSTANTIATE_TEST_SUITE_P(
    Radio, Clone,
    testing::Values(
        // The radio has no password, so the panel's does not matter.
        Case{"Read", kRead, kOk, 1, 0, [](Start& s) { EncodePasswordBytes("999", s.image); }},
        Case{"Write", kWrite, kOk, 2, 449, nullptr},
        Case{"MatchingPassword", kRead, kOk, 1, 0,
             [](Start& s) { Passwords(s, "123456", "123456"); }},
        Case{"MissingPassword", kRead, kPassword, 1, 0,
             [](Start& s) { Passwords(s, "123456", ""); }},
        Case{"WrongPassword", kRead, kPassword, 1, 0,
             [](Start& s) { Passwords(s, "123456", "12345"); }},
        Case{"BandMismatch", kWrite, clone_message::kFrequencyMismatch, 1, 0,
             [](Start& s) { s.image[offset::kBandSignature + 2] ^= 0x01; }},
        Case{"Reply16AndJunkRead", kRead, kOk, 1, 0,
             [](Start& s) { s.faults.reply16 = s.faults.junk = true; }},
        Case{"Reply16AndJunkWrite", kWrite, kOk, 2, 449,
             [](Start& s) { s.faults.reply16 = s.faults.junk = true; }},
        Case{"ThreeFailedHandshakes", kRead, kOk, 4, 0, Ignoring<1, 2, 3>},
        Case{"FourthFailedHandshake", kRead, kComm, 4, 0, Ignoring<1, 2, 3, 4>},
        // A Write's two handshakes share the count of failures.
        Case{"ThreeFailuresOverBothWriteHandshakes", kWrite, kOk, 5, 449, Ignoring<1, 2, 4>},
        Case{"FourthFailureInSecondWriteHandshake", kWrite, kComm, 5, 0, Ignoring<1, 2, 4, 5>},
        Case{"Silence", kRead, kComm, 4, 0, [](Start& s) { s.faults.silent = true; }},
        Case{"WrongAcknowledge", kRead, kComm, 1, 0,
             [](Start& s) { s.faults.badAckAfterRead = 0x320; }},
        Case{"RefusedWrite", kWrite, kComm, 2, 101,
             [](Start& s) { s.faults.refusedWrite = 0x320; }},
        Case{"CablePulledDuringRead", kRead, kComm, 1, 0,
             [](Start& s) { s.faults.pullAfter = 0x320; }},
        Case{"CablePulledDuringWrite", kWrite, kComm, 2, 101,
             [](Start& s) { s.faults.pullAfter = 0x320; }}),
    [](const testing::TestParamInfo<Case>& p) { return p.param.name; });

TEST(CloneTransfer, RunWhileAnotherRunsDoesNothing) {
    MemoryImage image;
    CloneResult result;
    {
        const TransferBusy::Hold running = TransferBusy::TryAcquire();
        ASSERT_TRUE(running);
        result = RunClone(kRead, "", image);
        EXPECT_TRUE(TransferBusy::IsSet()) << "the running transfer keeps its flag";
    }
    EXPECT_FALSE(TransferBusy::IsSet());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.sink.events.empty());
}

// One smoke case for the simulator's options: it is a test tool.
TEST(RadioSimulator, OptionsShapeTheRadio) {
    sim::SimulatorSettings settings;
    std::string error;
    ASSERT_TRUE(sim::ParseSimulatorArgs({"--seed", "3", "--tuning", "1,2,3,4,5,6", "--reply-16",
                                         "--refuse-write", "0x20", "--ignore-handshakes", "2"},
                                        settings, error))
        << error;
    EXPECT_EQ(settings.memory[0xFFD], 6);
    EXPECT_TRUE(settings.faults.reply16);
    EXPECT_EQ(settings.faults.refusedWrite, 0x20U);
    EXPECT_EQ(settings.faults.ignoredHandshakes, (std::set<unsigned>{1, 2}));
    sim::SimulatorSettings rejected;
    EXPECT_FALSE(sim::ParseSimulatorArgs({"--refuse-write", "0x21"}, rejected, error));
}

}  // namespace
}  // namespace torvan::test
