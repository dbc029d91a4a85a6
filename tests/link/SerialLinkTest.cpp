// The exact order of port operations of every protocol step, on a scripted
// port: the pauses, the purge before every command, one write per handshake
// byte, and which receive bytes are zeroed.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "link/CloneTransfer.h"
#include "link/PowerTuning.h"
#include "link/SerialLink.h"
#include "link/TransferBusy.h"
#include "tools/SimulatorSettings.h"

namespace torvan::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Logs operations as words ("p2" a pause, "w4d02" one write, "r12" a read)
// and answers reads from a script (an empty reply is silence).
class ScriptedPort final : public SerialPort {
public:
    ScriptedPort(std::initializer_list<Bytes> replies) : replies_(replies) {}
    explicit ScriptedPort(std::vector<Bytes> replies) : replies_(std::move(replies)) {}

    Result OpenPort(const std::string&) override {
        Log("open");
        return Result::Success();
    }
    void ConfigurePort(const TimeoutProfile&) override {}
    void Purge() override { Log("purge"); }
    std::size_t WriteBytes(std::span<const std::uint8_t> bytes) override {
        std::string word = "w";
        for (const unsigned b : bytes) {
            word += "0123456789abcdef"[b / 16];
            word += "0123456789abcdef"[b % 16];
        }
        Log(word);
        return bytes.size();
    }
    std::size_t ReadBytes(std::span<std::uint8_t> buffer) override {
        Log("r" + std::to_string(buffer.size()));
        const Bytes reply = next_ < replies_.size() ? replies_[next_++] : Bytes{};
        const std::size_t n = std::min(reply.size(), buffer.size());
        std::copy_n(reply.begin(), n, buffer.begin());
        return n;
    }
    void ClosePort() override { Log("close"); }
    void Pause(unsigned ms) override { Log("p" + std::to_string(ms)); }
    std::string ErrorText() const override { return {}; }

    void Log(const std::string& word) { log += log.empty() ? word : " " + word; }

    std::string log;

private:
    std::vector<Bytes> replies_;
    std::size_t next_ = 0;
};

// (The tuning handshake: PowerTuning below.)
TEST(SerialLink, HandshakeSendsEveryByteOnItsOwnAfterItsPause) {
    ScriptedPort clone{{0x06}};
    EXPECT_TRUE(SerialLink(clone).Handshake());
    EXPECT_EQ(clone.log,
              "p2 purge w02 p2 purge w50 p2 purge w52 p2 purge w4f p2 purge w47 p2 purge w52 "
              "p2 purge w43 r1");
}

TEST(SerialLink, CommandsPurgeFirstAndReadTheirReply) {
    ScriptedPort port{
        {1, 2, 3, 4, 5, 6, 7, 8}, {0x06}, {0xDE, 0xAD, 0xBE, 0xEF, 1, 2, 3, 4, 5, 6, 7, 8}, {0x06}};
    SerialLink link(port);
    EXPECT_EQ(link.Identify(), 0x06) << "the identity is read and ignored";
    EXPECT_EQ(link.ReadBlock(0x0FF0), (SerialLink::Block{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(link.WriteBlock(0x0123, Bytes{0xAA, 0xBB, 0xCC}), 0x06);
    EXPECT_TRUE(link.Exchange(Bytes{'M', '`'}, 0).empty());
    EXPECT_EQ(port.log,
              "p1 purge w4d02 r8 purge w06 r1 purge w520ff008 r12 purge w57012303aabbcc r1 "
              "purge w4d60");
}

// Silence must read as failure: every judged byte comes from a zeroed buffer.
TEST(SerialLink, SilenceAfterAnAcceptedReplyStillFails) {
    ScriptedPort port{
        {0xA5, 0, 0, 8, 1, 2, 3, 4, 5, 6, 7, 8}, {0x06}, {}, {}, {0x06}, {}, {0x16}, {}, {0x06}};
    SerialLink link(port);
    ASSERT_EQ(link.ReadBlock(0x0000), (SerialLink::Block{1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_EQ(link.Acknowledge(), 0x06);
    EXPECT_EQ(link.ReadBlock(0x0008), SerialLink::Block{}) << "zeros from the Acknowledge";
    EXPECT_EQ(link.Acknowledge(), 0x00);
    ASSERT_EQ(link.WriteBlock(0x10, Bytes{1}), 0x06);
    EXPECT_EQ(link.WriteBlock(0x10, Bytes{1}), 0x00);
    ASSERT_TRUE(link.TuningHandshake(1));
    EXPECT_FALSE(link.TuningHandshake(1));
    ASSERT_EQ(link.Acknowledge(), 0x06);
    link.ClearReceive();
    EXPECT_FALSE(link.Handshake());
}

// One tuning handshake as the log shows it, `pause` ms before each byte.
std::string PacedHandshake(unsigned pause) {
    std::string words = "purge";
    for (const char* byte : {"02", "50", "52", "4f", "47", "52", "43"}) {
        words += " p" + std::to_string(pause) + " w" + byte;
    }
    return words + " r1";
}

// Each tuning step has its own pause before every handshake byte (query 1 ms,
// send 5 ms with 10 ms after a failed attempt, end 2 ms).
TEST(PowerTuning, EachStepPacesItsHandshakeBytes) {
    ScriptedPort port{{0x06}, {'M', 'P', 0, 0, 0x42}, {0x06}, {}, {0x06}, {0x06}, {0x06}, {0x06}};
    SerialLink link(port);
    EXPECT_EQ(QueryLevel(link, LevelPoint::LowLow), 0x42);
    EXPECT_TRUE(SendLevel(link, LevelPoint::LowLow, 7));
    EXPECT_TRUE(EndTuning(link));
    EXPECT_EQ(port.log, PacedHandshake(1) + " purge w4d50 r5 purge w06 r1 " + PacedHandshake(5) +
                            " p10 " + PacedHandshake(5) +
                            " purge w4d61 r1 purge w570ff80107 r1 " + PacedHandshake(2) +
                            " purge w4d60");
}

// A radio that acknowledges everything, its band that of PatternMemory.
std::vector<Bytes> AgreeableWrite() {
    Bytes probe = {0xA5, 0x0F, 0xF0, 0x08, 0x13, 0x17, 0x64};
    probe.resize(12, 0xFF);
    std::vector<Bytes> replies = {{0x06}, Bytes(8, 0x11), {0x06},         probe,
                                  {0x06}, {0x06},         Bytes(8, 0x11), {0x06}};
    replies.insert(replies.end(), CloneTransfer::kWriteBlocks + 1, Bytes{0x06});
    return replies;
}

// The sink writes into the port's log, so a transfer that must do nothing shows
// whatever it did.
class LoggingSink final : public TransferSink {
public:
    explicit LoggingSink(ScriptedPort& port) : port_(port) {}
    void DisableButtons() override {}
    void ShowProgress(int position, int, const std::string&) override {
        if (throwAt_ == position) {
            throw std::runtime_error("sink failed");
        }
    }
    void ShowFailure(const Result& failure) override { port_.Log("failure:" + failure.error); }
    void Finished(bool success) override { port_.Log(success ? "finished" : "failed"); }
    int throwAt_ = 0;

private:
    ScriptedPort& port_;
};

const PortDevice kLine = PortDevice::Success("/dev/scripted");  // any device will do

// A second transfer does nothing at all while one runs; one that ends in an
// exception leaves none marked running.
TEST(CloneTransfer, OneAtATimeAndNoneLeftRunning) {
    MemoryImage image = sim::PatternMemory(1);
    ScriptedPort port(AgreeableWrite());
    LoggingSink sink(port);
    {
        const TransferBusy::Hold running = TransferBusy::TryAcquire();
        ASSERT_TRUE(running);
        EXPECT_FALSE(CloneTransfer(port, image, sink).Run(CloneDirection::Write, kLine).ok);
        EXPECT_TRUE(TransferBusy::IsSet()) << "the running transfer keeps its flag";
    }
    EXPECT_EQ(port.log, "") << "not even the port opened";
    sink.throwAt_ = 1;
    EXPECT_THROW(
        static_cast<void>(CloneTransfer(port, image, sink).Run(CloneDirection::Write, kLine)),
        std::runtime_error);
    EXPECT_FALSE(TransferBusy::IsSet());
}

}  // namespace
}  // namespace torvan::test
