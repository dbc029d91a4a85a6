// Clone Read and Write through the real protocol code and QSerialPort binding
// against the simulated radio on a pseudo-terminal: every fault of the radio
// and of the port, and what each transfer ends with.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QSerialPort>
#include <algorithm>

#include "form/ImageCodec.h"
#include "link/CloneTransfer.h"
#include "link/PortHint.h"
#include "link/serial/SerialPortQt.h"
#include "link/serial/SerialThread.h"
#include "model/PasswordCodec.h"
#include "tests/RadioOnPty.h"

namespace torvan::test {
namespace {

using sim::PatternMemory;
using testing_support::Ignoring;
using testing_support::RadioOnPty;
using testing_support::With;
using F = sim::RadioFaults;

constexpr auto kRead = CloneDirection::Read;
constexpr auto kWrite = CloneDirection::Write;
constexpr const char* kOk = nullptr;
constexpr const char* kComm = clone_message::kCommunicationError;
constexpr const char* kPassword = clone_message::kPasswordError;
constexpr const char* kPortFail = clone_message::kOpenPortFail;
constexpr const char* kLost = "the line was lost";
constexpr const char* kBusy = "Close the other program that holds the port.";
constexpr const char* kMissing = "No such file or directory";

// The failure a transfer shows its dialog (the steps and the end it reports
// are the protocol fuzz target's to check).
class RecordingSink final : public TransferSink {
public:
    void DisableButtons() override {}
    void ShowProgress(int, int, const std::string&) override {}
    void ShowFailure(const Result& shown) override { failure = shown; }
    void Finished(bool) override {}
    bool StopRequested() const override { return stopped; }

    Result failure;
    bool stopped = false;
};

// The port the transfer is given: the radio's, held by another program (a
// copy of this one, with its advisory lock, or a serial terminal, with the
// usual lock file and exclusive mode as QSerialPort takes them), or missing.
enum class Port { Radio, Locked, OfATerminal, Missing };

struct Case {
    const char* name;
    CloneDirection direction;
    const char* message;  // kOk: the transfer succeeds
    const char* says;     // in the port's reason or its hint; "": no reason
    unsigned handshakes;  // what the radio saw
    std::size_t stored;   // the image's bytes the radio holds from address 0 on
    F faults = {};
    Port port = Port::Radio;
    // Changes the radio's memory and the image, which differ everywhere but
    // in the (simulator's) band.
    void (*prepare)(MemoryImage& radio, MemoryImage& image) = nullptr;
    bool stopped = false;  // the user stopped before the transfer began
};

// The radio's password is 123456; the panel's its first `Digits` digits.
template <std::size_t Digits>
void Passwords(MemoryImage& radio, MemoryImage& image) {
    EncodePasswordBytes("123456", radio);
    EncodePasswordBytes(std::string("123456", Digits), image);
}

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class Clone : public testing::TestWithParam<Case> {};

// Ends, with the message and the reason the user is shown; a failed Read
// leaves the image as it was, and the radio holds only what it acknowledged.
TEST_P(Clone, EndsAsExpected) {
    const Case& c = GetParam();
    MemoryImage memory = PatternMemory(5);
    MemoryImage before = PatternMemory(6);
    if (c.prepare != nullptr) {
        c.prepare(memory, before);
    }
    RadioOnPty radio(memory, c.faults);
    const int lock = c.port == Port::Locked ? ::open(radio.Path().c_str(), O_RDWR | O_NOCTTY) : -1;
    ASSERT_EQ(lock >= 0 ? ::flock(lock, LOCK_EX | LOCK_NB) : 0, 0);
    QSerialPort terminal(QString::fromStdString(radio.Path()));
    ASSERT_TRUE(c.port != Port::OfATerminal || terminal.open(QIODevice::ReadWrite));
    MemoryImage image = before;
    RecordingSink sink;
    sink.stopped = c.stopped;
    bool ok = false;
    RunOnSerialThread([&] {
        SerialPortQt serial;
        const std::string port = c.port == Port::Missing ? "/dev/no-such-tty" : radio.Path();
        ok = CloneTransfer(serial, image, sink).Run(c.direction, PortDevice::Success(port)).ok;
    });
    ::close(lock);
    terminal.close();
    radio.Finish();

    EXPECT_EQ(radio.Counters().handshakes, c.handshakes);
    MemoryImage reached = memory;
    std::copy_n(before.bytes().begin(), c.stored, reached.bytes().begin());
    EXPECT_EQ(radio.Memory(), reached);
    const bool read = c.direction == kRead;
    EXPECT_EQ(image, read && c.message == kOk ? memory : before);
    const std::string& reason = sink.failure.reason;
    const std::string said = reason + "\n" + PortFailureHint(reason);
    EXPECT_TRUE(*c.says == '\0' ? reason.empty() : said.find(c.says) != std::string::npos) << said;
    EXPECT_EQ(ok, c.message == kOk) << sink.failure.error << " " << reason;
    EXPECT_EQ(sink.failure.error, c.message == kOk ? "" : c.message);
}

// Left out, since the fault cannot arise there: a refused write in a Read, a
// band mismatch in a Read (it takes the radio's band), a password in a Write.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Radio, Clone,
    testing::Values(
        // The radio has no password, so the panel's does not matter.
        Case{"Read", kRead, kOk, "", 1, 0, {}, Port::Radio,
             [](MemoryImage&, MemoryImage& image) { EncodePasswordBytes("999", image); }},
        Case{"ReadMatchingPassword", kRead, kOk, "", 1, 0, {}, Port::Radio, Passwords<6>},
        Case{"ReadWrongPassword", kRead, kPassword, "", 1, 0, {}, Port::Radio, Passwords<5>},
        Case{"ReadJunk", kRead, kOk, "", 1, 0, With(&F::junk, true)},
        Case{"ReadThreeHandshakesIgnored", kRead, kOk, "", 4, 0, Ignoring({1, 2, 3})},
        Case{"ReadFourHandshakesIgnored", kRead, kComm, "", 4, 0, Ignoring({1, 2, 3, 4})},
        Case{"ReadSilence", kRead, kComm, "", 4, 0, With(&F::silent, true)},
        Case{"ReadWrongAcknowledge", kRead, kComm, "", 1, 0, With(&F::badAckAfterRead, 0x320)},
        Case{"ReadCablePulled", kRead, kComm, kLost, 1, 0, With(&F::pullAfter, 0x320)},
        Case{"ReadBusyPort", kRead, kPortFail, kBusy, 0, 0, {}, Port::Locked},
        Case{"ReadPortOfASerialTerminal", kRead, kPortFail, kBusy, 0, 0, {}, Port::OfATerminal},
        Case{"ReadMissingPort", kRead, kPortFail, kMissing, 0, 0, {}, Port::Missing},
        // A Write sends 0x000-0xDFF, then the band (already the same).
        Case{"Write", kWrite, kOk, "", 2, 0xE00},
        Case{"WriteJunk", kWrite, kOk, "", 2, 0xE00, With(&F::junk, true)},
        Case{"WriteWrongAcknowledgeOfTheBandProbe", kWrite, kOk, "", 2, 0xE00,
             With(&F::badAckAfterRead, 0xFF0)},
        // A Write's two handshakes share the count of failures.
        Case{"WriteThreeHandshakesIgnored", kWrite, kOk, "", 5, 0xE00, Ignoring({1, 2, 4})},
        Case{"WriteFourHandshakesIgnored", kWrite, kComm, "", 5, 0, Ignoring({1, 2, 4, 5})},
        Case{"WriteSilence", kWrite, kComm, "", 4, 0, With(&F::silent, true)},
        Case{"WriteBandMismatch", kWrite, clone_message::kFrequencyMismatch, "", 1, 0, {},
             Port::Radio, [](MemoryImage&, MemoryImage& image) { image[0xFF2] ^= 0x01; }},
        Case{"WriteRefused", kWrite, kComm, "", 2, 0x320, With(&F::refusedWrite, 0x320)},
        Case{"WriteCablePulled", kWrite, kComm, kLost, 2, 0x328, With(&F::pullAfter, 0x320)},
        Case{"WriteBusyPort", kWrite, kPortFail, kBusy, 0, 0, {}, Port::Locked},
        Case{"WritePortOfASerialTerminal", kWrite, kPortFail, kBusy, 0, 0, {}, Port::OfATerminal},
        Case{"WriteMissingPort", kWrite, kPortFail, kMissing, 0, 0, {}, Port::Missing},
        // Stopped before it began: no handshake, nothing shown.
        Case{"WriteStoppedFirst", kWrite, "", "", 0, 0, {}, Port::Radio, nullptr, true}),
    [](const testing::TestParamInfo<Case>& p) { return p.param.name; });
// clang-format on

// One smoke case for the simulator's options: it is a test tool.
TEST(RadioSimulator, OptionsShapeTheRadio) {
    const auto parsed =
        sim::ParseSimulatorArgs({"--seed", "3", "--tuning", "1,2,3,4,5,6", "--reply-16",
                                 "--refuse-write", "0x20", "--ignore-handshakes", "2"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.value.memory[0xFFD], 6);
    EXPECT_TRUE(parsed.value.faults.reply16);
    EXPECT_EQ(parsed.value.faults.refusedWrite, 0x20U);
    EXPECT_EQ(parsed.value.faults.ignoredHandshakes, (std::set<unsigned>{1, 2}));
    EXPECT_FALSE(sim::ParseSimulatorArgs({"--refuse-write", "0x21"}).ok);
}

}  // namespace
}  // namespace torvan::test
