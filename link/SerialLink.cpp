#include "link/SerialLink.h"

#include <algorithm>

namespace torvan {
namespace {

constexpr std::array<std::uint8_t, 7> kHandshake = {0x02, 'P', 'R', 'O', 'G', 'R', 'C'};
constexpr std::size_t kTuningClearCount = 10;
constexpr std::size_t kReadReplyLength = 12;
constexpr std::size_t kReadReplyLead = 4;
constexpr std::size_t kMaxWriteLength = 16;

std::array<std::uint8_t, 4> Header(std::uint8_t command, std::uint16_t address,
                                   std::size_t length) {
    return {command, static_cast<std::uint8_t>(address >> 8U),
            static_cast<std::uint8_t>(address & 0xFFU), static_cast<std::uint8_t>(length)};
}

}  // namespace

void SerialLink::ClearReceive() {
    receive_.fill(0);
}

void SerialLink::Receive(std::size_t count) {
    port_.ReadBytes(std::span<std::uint8_t>(receive_).first(count));
}

bool SerialLink::Handshake() {
    for (const std::uint8_t byte : kHandshake) {
        port_.Pause(2);
        port_.Purge();
        Send(std::span<const std::uint8_t>(&byte, 1));
    }
    Receive(1);
    return Accepted(receive_[0]);
}

bool SerialLink::TuningHandshake(unsigned pauseMs) {
    std::fill_n(receive_.begin(), kTuningClearCount, std::uint8_t{0});
    port_.Purge();
    for (const std::uint8_t byte : kHandshake) {
        port_.Pause(pauseMs);
        Send(std::span<const std::uint8_t>(&byte, 1));
    }
    Receive(1);
    return Accepted(receive_[0]);
}

std::uint8_t SerialLink::Identify() {
    static constexpr std::array<std::uint8_t, 2> kIdentify = {'M', 0x02};
    ClearReceive();
    port_.Pause(1);
    port_.Purge();
    Send(kIdentify);
    Receive(8);
    return Acknowledge();
}

std::uint8_t SerialLink::Acknowledge() {
    transmit_[0] = kAck;
    ClearReceive();
    port_.Purge();
    Send(std::span<const std::uint8_t>(transmit_).first(1));
    Receive(1);
    return receive_[0];
}

SerialLink::Block SerialLink::ReadBlock(std::uint16_t address) {
    port_.Purge();
    Send(Header('R', address, kBlockSize));
    Receive(kReadReplyLength);
    Block data{};
    std::copy_n(receive_.begin() + kReadReplyLead, kBlockSize, data.begin());
    return data;
}

std::uint8_t SerialLink::WriteBlock(std::uint16_t address, std::span<const std::uint8_t> data) {
    // A frame holds 1 to 16 bytes; anything else is refused like a radio
    // that did not acknowledge.
    if (data.empty() || data.size() > kMaxWriteLength) {
        return 0;
    }
    // One write for the whole frame: a stall between header and data (a busy
    // machine) must not look to the radio like an abandoned command.
    std::array<std::uint8_t, 4 + kMaxWriteLength> frame{};
    const auto header = Header('W', address, data.size());
    std::copy(data.begin(), data.end(), std::copy(header.begin(), header.end(), frame.begin()));
    ClearReceive();
    port_.Purge();
    Send(std::span<const std::uint8_t>(frame).first(header.size() + data.size()));
    Receive(1);
    return receive_[0];
}

std::span<const std::uint8_t> SerialLink::Exchange(std::span<const std::uint8_t> command,
                                                   std::size_t replyLength) {
    replyLength = std::min(replyLength, kBufferSize);
    ClearReceive();
    port_.Purge();
    Send(command);
    if (replyLength > 0) {
        Receive(replyLength);
    }
    return std::span<const std::uint8_t>(receive_).first(replyLength);
}

}  // namespace torvan
