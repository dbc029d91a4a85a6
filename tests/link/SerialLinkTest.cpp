// The exact order of port operations of every protocol step, on a scripted
// port: the pauses, the purge before every command, one write per handshake
// byte, and which receive bytes are zeroed.
#include <gtest/gtest.h>

#include <deque>
#include <sstream>

#include "link/SerialLink.h"

namespace torvan::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Records operations as short words and answers reads from a script (an
// empty reply is silence).
class ScriptedPort final : public SerialPort {
public:
    bool OpenPort(const std::string&) override { return true; }
    void ConfigurePort(const TimeoutProfile&) override {}
    void Purge() override { log.push_back("purge"); }
    std::size_t WriteBytes(std::span<const std::uint8_t> bytes) override {
        std::ostringstream word;
        word << 'w' << std::hex;
        for (const std::uint8_t b : bytes) {
            word << ' ' << static_cast<int>(b);
        }
        log.push_back(word.str());
        return bytes.size();
    }
    std::size_t ReadBytes(std::span<std::uint8_t> buffer) override {
        log.push_back("r" + std::to_string(buffer.size()));
        if (replies.empty()) {
            return 0;
        }
        const Bytes reply = replies.front();
        replies.pop_front();
        const std::size_t n = std::min(reply.size(), buffer.size());
        std::copy_n(reply.begin(), n, buffer.begin());
        return n;
    }
    void ClosePort() override {}
    void Pause(unsigned ms) override { log.push_back("p" + std::to_string(ms)); }
    std::string ErrorText() const override { return {}; }

    std::vector<std::string> log;
    std::deque<Bytes> replies;
};

using Log = std::vector<std::string>;

TEST(SerialLink, CloneHandshakePurgesAndPacesEveryByteOnItsOwn) {
    ScriptedPort port;
    port.replies = {{0x06}};
    SerialLink link(port);
    EXPECT_TRUE(link.Handshake());
    EXPECT_EQ(port.log, (Log{"p2",    "purge", "w 2",   "p2",    "purge", "w 50",  "p2",   "purge",
                             "w 52",  "p2",    "purge", "w 4f",  "p2",    "purge", "w 47", "p2",
                             "purge", "w 52",  "p2",    "purge", "w 43",  "r1"}));
}

TEST(SerialLink, TuningHandshakePurgesOnceAndPacesWithItsPause) {
    ScriptedPort port;
    port.replies = {{0x16}};
    SerialLink link(port);
    EXPECT_TRUE(link.TuningHandshake(5));
    EXPECT_EQ(port.log, (Log{"purge", "p5", "w 2", "p5", "w 50", "p5", "w 52", "p5", "w 4f", "p5",
                             "w 47", "p5", "w 52", "p5", "w 43", "r1"}));
}

TEST(SerialLink, IdentifyDiscardsTheReplyAndAcknowledges) {
    ScriptedPort port;
    port.replies = {{1, 2, 3, 4, 5, 6, 7, 8}, {0x06}};
    SerialLink link(port);
    EXPECT_EQ(link.Identify(), 0x06);
    EXPECT_EQ(port.log, (Log{"p1", "purge", "w 4d 2", "r8", "purge", "w 6", "r1"}));
}

TEST(SerialLink, ReadBlockTakesTheLastEightOfTwelveBytes) {
    ScriptedPort port;
    port.replies = {{0xDE, 0xAD, 0xBE, 0xEF, 1, 2, 3, 4, 5, 6, 7, 8}};
    SerialLink link(port);
    EXPECT_EQ(link.ReadBlock(0x0FF0), (SerialLink::Block{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(port.log, (Log{"purge", "w 52 f f0 8", "r12"}));
}

TEST(SerialLink, WriteBlockSendsHeaderThenDataInTwoWrites) {
    ScriptedPort port;
    port.replies = {{0x06}};
    SerialLink link(port);
    const Bytes data = {0xAA, 0xBB, 0xCC};
    EXPECT_EQ(link.WriteBlock(0x0123, data), 0x06);
    EXPECT_EQ(port.log, (Log{"purge", "w 57 1 23 3", "w aa bb cc", "r1"}));
}

// Silence must read as failure: every judged byte comes from a zeroed buffer.
TEST(SerialLink, SilenceAfterAnAcceptedReplyStillFails) {
    ScriptedPort port;
    port.replies = {{0x06}, {}, {0x06}};
    SerialLink link(port);
    ASSERT_EQ(link.Acknowledge(), 0x06);
    EXPECT_EQ(link.ReadBlock(0x0000), SerialLink::Block{}) << "zeros from the Acknowledge";
    ASSERT_EQ(link.Acknowledge(), 0x06);
    link.ClearReceive();
    EXPECT_FALSE(link.Handshake());
    EXPECT_FALSE(link.TuningHandshake(1));
    EXPECT_EQ(link.Acknowledge(), 0x00);
    EXPECT_EQ(link.WriteBlock(0x10, Bytes{1}), 0x00);
}

TEST(SerialLink, CloneHandshakeKeepsTheBufferBetweenAttempts) {
    ScriptedPort port;
    port.replies = {{0x41}};
    SerialLink link(port);
    link.ClearReceive();
    EXPECT_FALSE(link.Handshake());
    EXPECT_FALSE(link.Handshake()) << "silence leaves the earlier wrong byte";
}

TEST(SerialLink, ExchangeWithoutReplyReadsNothing) {
    ScriptedPort port;
    SerialLink link(port);
    const Bytes end = {'M', '`'};
    EXPECT_TRUE(link.Exchange(end, 0).empty());
    EXPECT_EQ(port.log, (Log{"purge", "w 4d 60"}));
}

TEST(SerialLink, AcceptsBothHandshakeReplies) {
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(SerialLink::Accepted(static_cast<std::uint8_t>(b)), b == 0x06 || b == 0x16);
    }
}

}  // namespace
}  // namespace torvan::test
