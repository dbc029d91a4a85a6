#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "link/SerialPort.h"
#include "tools/RadioResponder.h"

namespace torvan::fuzz {

// The fuzz input as a stream of bytes; zeros once it is used up.
struct ByteStream {
    std::span<const std::uint8_t> rest;

    std::uint8_t Next() {
        const std::uint8_t byte = rest.empty() ? 0 : rest.front();
        rest = rest.subspan(rest.empty() ? 0 : 1);
        return byte;
    }
};

// One read of the link: the command sent since the last purge, and the
// receive buffer as the link found it (zeroed before, so what did not come
// reads as 0x00).
struct Exchange {
    std::string command;
    std::array<std::uint8_t, 20> received{};
};

// The simulated radio behind the port interface. The fuzz input chooses,
// read by read, whether the link gets what the radio answered, part of it or
// bytes of the input's own; once the input is used up the radio answers
// soundly. Pauses and time-outs cost no real time: they are added to a
// virtual clock, as is the line time of every byte.
class FuzzedRadioPort final : public SerialPort {
public:
    static constexpr std::uint64_t kByteMicros = 1042;  // 10 bits at 9600 baud

    // The radio answers from `memory`. `exchanges` is emptied, then receives
    // every read; it comes from outside so that its memory serves every run.
    FuzzedRadioPort(ByteStream& input, MemoryImage& memory, sim::RadioFaults faults, bool openFails,
                    std::vector<Exchange>& exchanges)
        : input_(input),
          radio_(memory, std::move(faults)),
          openFails_(openFails),
          exchanges_(exchanges) {
        exchanges_.clear();
    }

    Result OpenPort(const std::string&) override {
        FUZZ_CHECK(!open_);
        open_ = !openFails_;
        return open_ ? Result::Success() : Result::Failure("/dev/fuzzed: refused");
    }
    void ConfigurePort(const TimeoutProfile& profile) override {
        FUZZ_CHECK(open_);
        profile_ = profile;
        configured_ = true;
    }
    void Purge() override {
        Count();
        line_.clear();
        command_.clear();
    }
    std::size_t WriteBytes(std::span<const std::uint8_t> bytes) override {
        FUZZ_CHECK(open_ && configured_);
        Count();
        micros_ += bytes.size() * kByteMicros;
        for (const std::uint8_t byte : bytes) {
            command_.push_back(static_cast<char>(byte));
            const sim::RadioAction& action = radio_.Feed(byte);
            line_.insert(line_.end(), action.reply.begin(), action.reply.end());
            line_.insert(line_.end(), action.trailer.begin(), action.trailer.end());
        }
        return bytes.size();
    }
    std::size_t ReadBytes(std::span<std::uint8_t> buffer) override {
        FUZZ_CHECK(open_ && configured_ && buffer.size() <= 20);
        Count();
        Choose();
        const std::size_t count = std::min(line_.size(), buffer.size());
        std::copy_n(line_.begin(), count, buffer.begin());
        line_.erase(line_.begin(), line_.begin() + static_cast<long>(count));
        exchanges_.push_back({command_, {}});
        std::copy_n(buffer.begin(), count, exchanges_.back().received.begin());
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

    bool IsOpen() const { return open_; }
    std::uint64_t Micros() const { return micros_; }
    // Every read, in order, with the command that provoked it.
    const std::vector<Exchange>& Exchanges() const { return exchanges_; }

private:
    void Count() { FUZZ_CHECK(++operations_ < 100000); }

    // What reaches the link: the radio's answer, bytes of the input's own
    // (none at all is silence), or the answer cut short.
    void Choose() {
        const std::uint8_t choice = input_.Next();
        if ((choice & 3U) == 2U) {
            line_.resize(choice >> 2U);
            std::generate(line_.begin(), line_.end(), [this] { return input_.Next(); });
        } else if ((choice & 3U) == 3U) {
            line_.resize(std::min<std::size_t>(line_.size(), choice >> 2U));
        }
    }

    ByteStream& input_;
    sim::RadioResponder radio_;
    bool openFails_;
    bool open_ = false;
    bool configured_ = false;
    TimeoutProfile profile_{};
    std::vector<std::uint8_t> line_;  // sent by the radio, not yet read
    std::string command_;
    std::uint64_t micros_ = 0;
    std::size_t operations_ = 0;
    std::vector<Exchange>& exchanges_;
};

}  // namespace torvan::fuzz
