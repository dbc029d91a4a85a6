#pragma once

#include <cstdint>
#include <cstdio>
#include <span>

namespace torvan::sim {

// The bytes a simulated radio exchanged, in the order they crossed the line
// and without their timing, so that two programs' exchanges can be compared
// byte for byte: one line per run of bytes in one direction, "> " for what
// the radio received and "< " for what it sent, each byte in hex.
class ByteTrace {
public:
    // Writes to `file`, which stays the caller's.
    explicit ByteTrace(std::FILE* file) : file_(file) {}
    ~ByteTrace();

    ByteTrace(const ByteTrace&) = delete;
    ByteTrace& operator=(const ByteTrace&) = delete;

    void Received(std::span<const std::uint8_t> bytes) { Add('>', bytes); }
    void Sent(std::span<const std::uint8_t> bytes) { Add('<', bytes); }

private:
    void Add(char direction, std::span<const std::uint8_t> bytes);

    std::FILE* file_;
    char direction_ = '\0';  // of the line being written
};

}  // namespace torvan::sim
