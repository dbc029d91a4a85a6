#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "link/SerialPort.h"
#include "model/MemoryImage.h"

namespace torvan::fuzz {

// The fuzz input as a stream of bytes; nothing once it is used up.
class ByteStream {
public:
    ByteStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    std::uint8_t Next() { return Empty() ? 0 : data_[at_++]; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A radio behind the port interface whose every reply is chosen by the fuzz
// input: the answer a sound radio gives, silence, or any bytes at all, cut
// anywhere. Once the input is used up the radio answers soundly. Pauses and
// time-outs cost no real time: they are added to a virtual clock, as is the
// line time of every byte, so a caller can bound what an exchange may cost.
class FuzzedRadioPort final : public SerialPort {
public:
    static constexpr std::uint64_t kByteMicros = 1042;  // 10 bits at 9600 baud

    FuzzedRadioPort(ByteStream& input, const MemoryImage& memory, bool openFails)
        : input_(input), memory_(memory), openFails_(openFails) {}

    bool OpenPort(const std::string&) override {
        FUZZ_CHECK(!open_);
        open_ = !openFails_;
        return open_;
    }
    void ConfigurePort(const TimeoutProfile& profile) override {
        FUZZ_CHECK(open_);
        profile_ = profile;
        configured_ = true;
    }
    void Purge() override { Count(); }
    std::size_t WriteBytes(std::span<const std::uint8_t> bytes) override {
        FUZZ_CHECK(open_ && configured_);
        Count();
        micros_ += bytes.size() * kByteMicros;
        pending_.insert(pending_.end(), bytes.begin(), bytes.end());
        sent_ += bytes.size();
        return bytes.size();
    }
    std::size_t ReadBytes(std::span<std::uint8_t> buffer) override {
        FUZZ_CHECK(open_ && configured_);
        Count();
        const std::vector<std::uint8_t> command(pending_.begin(), pending_.end());
        const std::size_t count = Deliver(Answer(), buffer);
        Note(command, std::span<const std::uint8_t>(buffer).first(count), buffer.size());
        micros_ += count == buffer.size()
                       ? count * kByteMicros
                       : (profile_.readMultiplier * buffer.size() + profile_.readConstant) * 1000U;
        return count;
    }
    void ClosePort() override { open_ = false; }
    void Pause(unsigned milliseconds) override {
        Count();
        micros_ += milliseconds * 1000ULL;
    }
    std::string ErrorText() const override { return {}; }

    std::uint64_t Micros() const { return micros_; }
    std::size_t Sent() const { return sent_; }
    bool IsOpen() const { return open_; }
    const MemoryImage& Memory() const { return memory_; }
    // The 8 data bytes the link found for each read request, as its zeroed
    // receive buffer held them; in the order of the requests.
    const std::vector<std::pair<std::uint16_t, std::array<std::uint8_t, 8>>>& BlocksRead() const {
        return blocksRead_;
    }
    // The write requests that reached the radio: address and data.
    const std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>>& Writes() const {
        return writes_;
    }
    // The fifth byte of each level-query reply as received (0 when missing).
    const std::vector<std::uint8_t>& LevelsRead() const { return levelsRead_; }

private:
    void Count() { FUZZ_CHECK(++operations_ < 100000); }

    static bool Is(const std::vector<std::uint8_t>& bytes, std::initializer_list<int> expected) {
        return std::equal(bytes.begin(), bytes.end(), expected.begin(), expected.end());
    }

    static std::size_t AddressOf(const std::vector<std::uint8_t>& command) {
        return (std::size_t{command[1]} << 8U | command[2]) % MemoryImage::kSize;
    }

    // What a sound radio answers to what was sent since the previous read.
    std::vector<std::uint8_t> Answer() {
        std::vector<std::uint8_t> command;
        command.swap(pending_);
        const std::uint8_t ack = 0x06;
        if (command.size() >= 7 &&
            Is({command.end() - 7, command.end()}, {0x02, 'P', 'R', 'O', 'G', 'R', 'C'})) {
            return {ack};
        }
        if (Is(command, {'M', 0x02})) {
            return std::vector<std::uint8_t>(8, 'I');
        }
        if (Is(command, {ack}) || Is(command, {'M', 'a'})) {
            return {ack};
        }
        if (command.size() == 2 && command[0] == 'M' && command[1] >= 'P' && command[1] <= 'U') {
            std::vector<std::uint8_t> reply(4, 'L');
            reply.push_back(memory_[offset::kTuning + command[1] - std::size_t{'P'}]);
            return reply;
        }
        if (command.size() == 4 && command[0] == 'R') {
            const std::size_t address = AddressOf(command);
            std::vector<std::uint8_t> reply(4, 'H');
            for (std::size_t i = 0; i < command[3]; ++i) {
                reply.push_back(memory_[(address + i) % MemoryImage::kSize]);
            }
            return reply;
        }
        if (command.size() >= 4 && command[0] == 'W' && command.size() == 4U + command[3]) {
            const std::size_t address = AddressOf(command);
            writes_.emplace_back(static_cast<std::uint16_t>(address),
                                 std::vector<std::uint8_t>(command.begin() + 4, command.end()));
            for (std::size_t i = 0; i < command[3]; ++i) {
                memory_[(address + i) % MemoryImage::kSize] = command[4 + i];
            }
            return {ack};
        }
        return {};
    }

    // Places the reply the input chooses and notes what a read request or a
    // level query received.
    std::size_t Deliver(const std::vector<std::uint8_t>& sound, std::span<std::uint8_t> buffer) {
        std::vector<std::uint8_t> reply = sound;
        if (!input_.Empty()) {
            const std::uint8_t choice = input_.Next();
            if ((choice & 3U) == 2U) {
                reply.assign(choice >> 2U, 0);
                for (std::uint8_t& byte : reply) {
                    byte = input_.Next();
                }
            } else if ((choice & 3U) == 3U) {
                reply.resize(std::min<std::size_t>(reply.size(), choice >> 2U));
            }
        }
        const std::size_t count = std::min(reply.size(), buffer.size());
        std::copy_n(reply.begin(), count, buffer.begin());
        return count;
    }

    // The link zeroes its receive buffer before these exchanges, so what it
    // did not receive reads as 0x00.
    void Note(const std::vector<std::uint8_t>& command, std::span<const std::uint8_t> received,
              std::size_t requested) {
        const auto byteAt = [&](std::size_t i) -> std::uint8_t {
            return i < received.size() ? received[i] : 0;
        };
        if (command.size() == 4 && command[0] == 'R' && requested == 12) {
            std::array<std::uint8_t, 8> data{};
            for (std::size_t i = 0; i < data.size(); ++i) {
                data[i] = byteAt(4 + i);
            }
            blocksRead_.emplace_back(static_cast<std::uint16_t>(AddressOf(command)), data);
        }
        if (command.size() == 2 && command[0] == 'M' && command[1] >= 'P' && command[1] <= 'U' &&
            requested == 5) {
            levelsRead_.push_back(byteAt(4));
        }
    }

    ByteStream& input_;
    MemoryImage memory_;
    bool openFails_;
    bool open_ = false;
    bool configured_ = false;
    TimeoutProfile profile_{};
    std::vector<std::uint8_t> pending_;
    std::uint64_t micros_ = 0;
    std::size_t sent_ = 0;
    std::size_t operations_ = 0;
    std::vector<std::pair<std::uint16_t, std::array<std::uint8_t, 8>>> blocksRead_;
    std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>> writes_;
    std::vector<std::uint8_t> levelsRead_;
};

}  // namespace torvan::fuzz
