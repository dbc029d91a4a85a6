// The simulated radio's own rules, which the link tests rely on.
#include <gtest/gtest.h>

#include "tools/RadioResponder.h"
#include "tools/SimulatorSettings.h"

namespace torvan::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using sim::RadioFaults;
using sim::RadioResponder;

Bytes Feed(RadioResponder& radio, const Bytes& bytes) {
    Bytes replies;
    for (const std::uint8_t b : bytes) {
        const sim::RadioAction action = radio.Feed(b);
        replies.insert(replies.end(), action.reply.begin(), action.reply.end());
        replies.insert(replies.end(), action.trailer.begin(), action.trailer.end());
    }
    return replies;
}

const Bytes kHandshake = {0x02, 'P', 'R', 'O', 'G', 'R', 'C'};

TEST(RadioResponder, IgnoresCommandsBeforeAHandshake) {
    MemoryImage memory = sim::PatternMemory(1);
    RadioResponder radio(memory, {});
    EXPECT_TRUE(Feed(radio, {'R', 0x00, 0x00, 0x08, 0x06}).empty());
    EXPECT_EQ(Feed(radio, kHandshake), Bytes{0x06});
    EXPECT_EQ(Feed(radio, {'R', 0x0F, 0xF8, 0x08}).size(), 12U);
}

TEST(RadioResponder, BrokenHandshakeStartsOverOnANewStartByte) {
    MemoryImage memory;
    RadioResponder radio(memory, {});
    EXPECT_EQ(Feed(radio, {0x02, 'P', 'R', 0x02, 'P', 'R', 'O', 'G', 'R', 'C'}), Bytes{0x06});
    EXPECT_EQ(radio.Counters().handshakes, 1U);
}

TEST(RadioResponder, WritesLandInMemoryAndEndTuningEndsTheSession) {
    MemoryImage memory;
    RadioResponder radio(memory, {});
    Feed(radio, kHandshake);
    EXPECT_EQ(Feed(radio, {'W', 0x0F, 0xF9, 0x01, 0x42}), Bytes{0x06});
    EXPECT_EQ(memory[0xFF9], 0x42);
    EXPECT_EQ(Feed(radio, {'M', 'Q'}), (Bytes{'M', 'Q', 0, 0, 0x42}));
    EXPECT_TRUE(Feed(radio, {'M', '`'}).empty());
    EXPECT_TRUE(Feed(radio, {'M', 'Q'}).empty());
}

TEST(RadioResponder, FaultsChangeOnlyTheirReply) {
    MemoryImage memory = sim::PatternMemory(1);
    RadioFaults faults;
    faults.badAckAfterRead = 0x10;
    faults.refusedWrite = 0x20;
    faults.reply16 = true;
    RadioResponder radio(memory, faults);
    EXPECT_EQ(Feed(radio, kHandshake), Bytes{0x16});
    Feed(radio, {'R', 0x00, 0x08, 0x08});
    EXPECT_EQ(Feed(radio, {0x06}), Bytes{0x06});
    Feed(radio, {'R', 0x00, 0x10, 0x08});
    EXPECT_EQ(Feed(radio, {0x06}), Bytes{RadioResponder::kNak});
    const std::uint8_t kept = memory[0x20];
    EXPECT_EQ(Feed(radio, {'W', 0x00, 0x20, 0x01, static_cast<std::uint8_t>(kept + 1)}),
              Bytes{RadioResponder::kNak});
    EXPECT_EQ(memory[0x20], kept);
}

}  // namespace
}  // namespace torvan::test
