// The exact order of port operations of every protocol step, on a scripted
// port: the pauses, the purge before every command, one write per handshake
// byte, and which receive bytes are zeroed.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/SerialLink.h"

namespace torvan::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Logs operations as words ("p2" a pause, "w4d02" one write, "r12" a read)
// and answers reads from a script (an empty reply is silence).
class ScriptedPort final : public SerialPort {
public:
    ScriptedPort(std::initializer_list<Bytes> replies) : replies_(replies) {}

    bool OpenPort(const std::string&) override { return true; }
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
    void ClosePort() override {}
    void Pause(unsigned ms) override { Log("p" + std::to_string(ms)); }
    std::string ErrorText() const override { return {}; }

    std::string log;

private:
    void Log(const std::string& word) { log += log.empty() ? word : " " + word; }

    std::vector<Bytes> replies_;
    std::size_t next_ = 0;
};

TEST(SerialLink, HandshakesSendEveryByteOnItsOwnAfterItsPause) {
    ScriptedPort clone{{0x06}};
    EXPECT_TRUE(SerialLink(clone).Handshake());
    EXPECT_EQ(clone.log,
              "p2 purge w02 p2 purge w50 p2 purge w52 p2 purge w4f p2 purge w47 p2 purge w52 "
              "p2 purge w43 r1");
    ScriptedPort tuning{{0x16}};
    EXPECT_TRUE(SerialLink(tuning).TuningHandshake(5));
    EXPECT_EQ(tuning.log, "purge p5 w02 p5 w50 p5 w52 p5 w4f p5 w47 p5 w52 p5 w43 r1");
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
              "p1 purge w4d02 r8 purge w06 r1 purge w520ff008 r12 purge w57012303 waabbcc r1 "
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

}  // namespace
}  // namespace torvan::test
