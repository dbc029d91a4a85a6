// Clone Read and Write through the real protocol code and QSerialPort binding
// against the simulated radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include "link/CloneTransfer.h"
#include "link/TransferBusy.h"
#include "model/BandSignature.h"
#include "model/FrequencyLimits.h"
#include "model/ImageCodec.h"
#include "tests/link/SimulatedRadio.h"
#include "tools/SimulatorSettings.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;
using sim::PatternMemory;
using sim::RadioFaults;

// Every failure must end well inside this, however slow the build.
constexpr auto kPrompt = 20s;

// A document that differs from the radio everywhere but in its band signature.
MemoryImage DocumentFor(const MemoryImage& radio) {
    MemoryImage image = PatternMemory(99);
    for (std::size_t i = 0; i < offset::kBandSignatureLength; ++i) {
        image[offset::kBandSignature + i] = radio[offset::kBandSignature + i];
    }
    return image;
}

bool InWriteRange(std::size_t address) {
    return address < 0xE00 || (address >= 0xFF0 && address <= 0xFF2);
}

// The radio's memory after a complete Write of `sent`.
MemoryImage Written(const MemoryImage& before, const MemoryImage& sent) {
    MemoryImage expected = before;
    for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
        if (InWriteRange(a)) {
            expected[a] = sent[a];
        }
    }
    return expected;
}

TEST(CloneRead, CopiesTheWholeMemoryAndStepsTheProgress) {
    const MemoryImage radioMemory = PatternMemory(7);
    SimulatedRadio radio(radioMemory);
    MemoryImage image;
    image.ResetToNewDocument();

    const CloneResult result = RunClone(CloneDirection::Read, radio.Path(), image);

    ASSERT_TRUE(result.ok) << result.sink.failure << " " << result.reason;
    EXPECT_EQ(image, radioMemory);
    EXPECT_EQ(result.sink.events, (std::vector<std::string>{"disable", "progress", "finished"}));
    EXPECT_EQ(result.sink.finished, true);
    ASSERT_EQ(result.sink.percentTexts.size(), 512U);
    EXPECT_EQ(result.sink.upper, 512);
    EXPECT_EQ(result.sink.percentTexts[0], "0%");
    EXPECT_EQ(result.sink.percentTexts[4], "0%");
    EXPECT_EQ(result.sink.percentTexts[5], "1%");
    EXPECT_EQ(result.sink.percentTexts[510], "99%");
    EXPECT_EQ(result.sink.percentTexts[511], "100%");
}

TEST(CloneWrite, ChangesExactlyTheWriteRanges) {
    const MemoryImage before = PatternMemory(3);
    SimulatedRadio radio(before);
    MemoryImage image = DocumentFor(before);
    const MemoryImage sent = image;

    const CloneResult result = RunClone(CloneDirection::Write, radio.Path(), image);
    radio.Finish();

    ASSERT_TRUE(result.ok) << result.sink.failure << " " << result.reason;
    EXPECT_EQ(image, sent) << "a Write never changes the image";
    EXPECT_EQ(radio.Memory(), Written(before, sent));
    EXPECT_EQ(radio.Counters().handshakes, 2U);
    EXPECT_EQ(radio.Counters().writes, 449U);
    ASSERT_EQ(result.sink.percentTexts.size(), 448U);
    EXPECT_EQ(result.sink.upper, 448);
    EXPECT_EQ(result.sink.percentTexts.back(), "100%");
}

// Faults the transfer must ride out or end with its message.
struct FaultCase {
    const char* name;
    CloneDirection direction;
    RadioFaults faults;
    const char* message;  // nullptr: the transfer succeeds
    unsigned handshakes;  // handshakes the radio saw
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class CloneFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(CloneFaults, EndAsExpected) {
    const FaultCase& c = GetParam();
    const MemoryImage before = PatternMemory(5);
    SimulatedRadio radio(before, c.faults);
    MemoryImage image =
        c.direction == CloneDirection::Read ? PatternMemory(6) : DocumentFor(before);
    const MemoryImage original = image;

    const CloneResult result = RunClone(c.direction, radio.Path(), image);
    radio.Finish();

    EXPECT_LT(result.elapsed, kPrompt);
    EXPECT_EQ(radio.Counters().handshakes, c.handshakes);
    EXPECT_EQ(result.sink.finished, c.message == nullptr);
    if (c.message == nullptr) {
        ASSERT_TRUE(result.ok) << result.sink.failure;
        if (c.direction == CloneDirection::Read) {
            EXPECT_EQ(image, before);
        } else {
            EXPECT_EQ(radio.Memory(), Written(before, original));
        }
        return;
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.sink.failure, c.message);
    EXPECT_EQ(result.sink.events.back(), "finished");
    EXPECT_EQ(image, original) << "a failed transfer leaves the image as it was";
}

RadioFaults Ignoring(std::set<unsigned> handshakes) {
    RadioFaults faults;
    faults.ignoredHandshakes = std::move(handshakes);
    return faults;
}

RadioFaults With(void (*set)(RadioFaults&)) {
    RadioFaults faults;
    set(faults);
    return faults;
}

constexpr const char* kComm = clone_message::kCommunicationError;

INSTANTIATE_TEST_SUITE_P(
    Radio, CloneFaults,
    testing::Values(FaultCase{"Reply16Read", CloneDirection::Read,
                              With([](RadioFaults& f) { f.reply16 = true; }), nullptr, 1},
                    FaultCase{"Reply16Write", CloneDirection::Write,
                              With([](RadioFaults& f) { f.reply16 = true; }), nullptr, 2},
                    FaultCase{"ThreeFailedHandshakesRead", CloneDirection::Read,
                              Ignoring({1, 2, 3}), nullptr, 4},
                    FaultCase{"FourthFailedHandshakeRead", CloneDirection::Read,
                              Ignoring({1, 2, 3, 4}), kComm, 4},
                    FaultCase{"ThreeFailuresOverBothWriteHandshakes", CloneDirection::Write,
                              Ignoring({1, 2, 4}), nullptr, 5},
                    FaultCase{"FourthFailureInSecondWriteHandshake", CloneDirection::Write,
                              Ignoring({1, 2, 4, 5}), kComm, 5},
                    FaultCase{"FourthFailureInFirstWriteHandshake", CloneDirection::Write,
                              Ignoring({1, 2, 3, 4}), kComm, 4},
                    FaultCase{"SilentRadio", CloneDirection::Read,
                              With([](RadioFaults& f) { f.silent = true; }), kComm, 4},
                    FaultCase{"JunkBetweenExchangesRead", CloneDirection::Read,
                              With([](RadioFaults& f) { f.junk = true; }), nullptr, 1},
                    FaultCase{"JunkBetweenExchangesWrite", CloneDirection::Write,
                              With([](RadioFaults& f) { f.junk = true; }), nullptr, 2},
                    FaultCase{"WrongAcknowledgeAfterBlock", CloneDirection::Read,
                              With([](RadioFaults& f) { f.badAckAfterRead = 0x320; }), kComm, 1},
                    FaultCase{"CablePulledDuringRead", CloneDirection::Read,
                              With([](RadioFaults& f) { f.pullAfter = 0x320; }), kComm, 1},
                    FaultCase{"CablePulledDuringWrite", CloneDirection::Write,
                              With([](RadioFaults& f) { f.pullAfter = 0x320; }), kComm, 2}),
    [](const testing::TestParamInfo<FaultCase>& p) { return p.param.name; });

TEST(CloneWrite, RefusedBlockEndsTheTransferAfterTheBlocksBefore) {
    const MemoryImage before = PatternMemory(5);
    RadioFaults faults;
    faults.refusedWrite = 0x320;
    SimulatedRadio radio(before, faults);
    MemoryImage image = DocumentFor(before);

    const CloneResult result = RunClone(CloneDirection::Write, radio.Path(), image);
    radio.Finish();

    EXPECT_EQ(result.sink.failure, clone_message::kCommunicationError);
    EXPECT_EQ(result.sink.lastPosition, 0x320 / 8);
    const MemoryImage after = radio.Memory();
    for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
        ASSERT_EQ(after[a], a < 0x320 ? image[a] : before[a]) << "address " << a;
    }
}

TEST(CloneWrite, BandMismatchWritesNothing) {
    const MemoryImage before = PatternMemory(5);
    SimulatedRadio radio(before);
    MemoryImage image = DocumentFor(before);
    WriteBandSignature(*LimitsFromRangeText("400-470"), image);

    const CloneResult result = RunClone(CloneDirection::Write, radio.Path(), image);
    radio.Finish();

    EXPECT_EQ(result.sink.failure, clone_message::kFrequencyMismatch);
    EXPECT_EQ(radio.Counters().writes, 0U);
    EXPECT_EQ(radio.Memory(), before);
    EXPECT_TRUE(result.sink.percentTexts.empty());
}

// The radio's password against what the settings panel holds.
struct PasswordCase {
    const char* name;
    const char* radio;  // nullptr: the radio has none
    const char* panel;
    bool reads;
};

void PrintTo(const PasswordCase& c, std::ostream* os) {
    *os << c.name;
}

class ClonePassword : public testing::TestWithParam<PasswordCase> {};

TEST_P(ClonePassword, GuardsTheRead) {
    const PasswordCase& c = GetParam();
    MemoryImage radioMemory = PatternMemory(11);
    if (c.radio != nullptr) {
        EncodePasswordBytes(c.radio, radioMemory);
    }
    SimulatedRadio radio(radioMemory);
    MemoryImage image = PatternMemory(12);
    EncodePasswordBytes(c.panel, image);
    const MemoryImage original = image;

    const CloneResult result = RunClone(CloneDirection::Read, radio.Path(), image);

    EXPECT_EQ(result.ok, c.reads);
    if (c.reads) {
        EXPECT_EQ(image, radioMemory);
    } else {
        EXPECT_EQ(result.sink.failure, clone_message::kPasswordError);
        EXPECT_EQ(image, original);
        EXPECT_EQ(radio.Counters().reads, 1U) << "only the password block is read";
    }
}

INSTANTIATE_TEST_SUITE_P(Radio, ClonePassword,
                         testing::Values(PasswordCase{"NoneOnTheRadio", nullptr, "999", true},
                                         PasswordCase{"NoneAnywhere", nullptr, "", true},
                                         PasswordCase{"Matching", "123456", "123456", true},
                                         PasswordCase{"MatchingShort", "12", "12", true},
                                         PasswordCase{"Missing", "123456", "", false},
                                         PasswordCase{"Wrong", "123456", "654321", false},
                                         PasswordCase{"Prefix", "123456", "12345", false}),
                         [](const testing::TestParamInfo<PasswordCase>& p) {
                             return p.param.name;
                         });

TEST(CloneTransfer, SecondTransferWhileBusyDoesNothing) {
    SimulatedRadio radio(PatternMemory(1));
    MemoryImage image = PatternMemory(2);
    const MemoryImage original = image;
    ASSERT_TRUE(TransferBusy::TryAcquire());

    const CloneResult result = RunClone(CloneDirection::Read, radio.Path(), image);
    TransferBusy::Release();

    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.sink.events.empty());
    EXPECT_EQ(image, original);
    EXPECT_EQ(radio.Counters().handshakes, 0U);
    EXPECT_FALSE(TransferBusy::IsSet());
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
