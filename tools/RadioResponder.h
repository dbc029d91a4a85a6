#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "model/MemoryImage.h"
#include "tools/RadioFaults.h"

namespace torvan::sim {

// A command that stalls on the line this long is dropped, as the radio's
// receiver drops it.
inline constexpr std::chrono::milliseconds kCommandGap{200};

// What the radio does after a received byte.
struct RadioAction {
    std::vector<std::uint8_t> reply;
    // Stray bytes that arrive together with the reply's last byte.
    std::vector<std::uint8_t> trailer;
    bool hangUp = false;  // the cable is pulled once the reply is out
};

// Counters the tests and the benchmark look at.
struct RadioCounters {
    unsigned handshakes = 0;  // complete handshake sequences received
    unsigned identifies = 0;
    unsigned reads = 0;
    unsigned writes = 0;
    unsigned levelQueries = 0;
    unsigned levelPrepares = 0;
    unsigned tuningEnds = 0;
};

// The radio's side of the programming protocol, byte by byte, on a 4096-byte
// memory. Commands other than a handshake are ignored until a handshake has
// been answered; the end-tuning command ends the session.
class RadioResponder {
public:
    static constexpr std::uint8_t kNak = 0x15;

    RadioResponder(MemoryImage& memory, RadioFaults faults);

    // The action stays valid until the next call.
    const RadioAction& Feed(std::uint8_t byte);
    // Bytes arrive at `at`, to be fed next: a half-received command that
    // stalled kCommandGap before them is dropped.
    void Arrived(std::chrono::steady_clock::time_point at);
    const RadioCounters& Counters() const { return counters_; }

private:
    void Complete();
    void Handshake();
    void Ack();
    void ReadRequest();
    void WriteRequest();
    void Tuning(std::uint8_t code);
    // Ends the action: `reply` after what the caller already placed in it,
    // then what the faults make of it.
    void Answer(std::initializer_list<std::uint8_t> reply, unsigned block = kNoBlock);
    std::size_t ExpectedLength() const;
    unsigned Address() const;

    static constexpr unsigned kNoBlock = 0xFFFFFFFFU;

    MemoryImage& memory_;
    RadioFaults faults_;
    std::vector<std::uint8_t> pending_;
    std::chrono::steady_clock::time_point lastArrival_ = std::chrono::steady_clock::now();
    bool session_ = false;
    unsigned lastReadBlock_ = kNoBlock;
    RadioCounters counters_;
    RadioAction action_;  // reused, so that a reply costs no allocation
};

}  // namespace torvan::sim
