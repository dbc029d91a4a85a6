#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/SerialPort.h"

namespace torvan {

// The radio's programming frames over an open port. Every step purges before
// its command, so a reply is only ever read after the command that provokes
// it, and replies are judged by the caller from the receive buffer alone.
class SerialLink {
public:
    static constexpr std::uint8_t kAck = 0x06;
    static constexpr std::uint8_t kAlternativeAck = 0x16;
    static constexpr std::size_t kBlockSize = 8;
    static constexpr std::size_t kBufferSize = 20;
    using Block = std::array<std::uint8_t, kBlockSize>;

    explicit SerialLink(SerialPort& port) : port_(port) {}

    SerialPort& Port() { return port_; }

    // Zeroes the receive buffer (before the first attempt of a handshake).
    void ClearReceive();
    // One clone-form handshake attempt; true when the radio accepted it.
    bool Handshake();
    // One tuning-form handshake attempt with `pauseMs` before each byte.
    bool TuningHandshake(unsigned pauseMs);
    // Identification, then Acknowledge; returns the acknowledge reply.
    std::uint8_t Identify();
    // Sends 0x06 and returns the one-byte reply.
    std::uint8_t Acknowledge();
    // The 8 memory bytes at `address`; the buffer is deliberately not zeroed
    // first (it holds the zeros of the preceding Acknowledge).
    Block ReadBlock(std::uint16_t address);
    // Writes `data` (1 to 16 bytes) at `address`; returns the one-byte reply.
    std::uint8_t WriteBlock(std::uint16_t address, std::span<const std::uint8_t> data);
    // Zero, purge, send `command`, read `replyLength` bytes (none when 0);
    // returns the receive buffer's first `replyLength` bytes.
    std::span<const std::uint8_t> Exchange(std::span<const std::uint8_t> command,
                                           std::size_t replyLength);

    static bool Accepted(std::uint8_t reply) { return reply == kAck || reply == kAlternativeAck; }

private:
    void Send(std::span<const std::uint8_t> bytes) { port_.WriteBytes(bytes); }
    void Receive(std::size_t count);

    SerialPort& port_;
    std::array<std::uint8_t, kBufferSize> transmit_{};
    std::array<std::uint8_t, kBufferSize> receive_{};
};

}  // namespace torvan
