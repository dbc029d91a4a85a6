#pragma once

#include <optional>
#include <set>

namespace torvan::sim {

// Misbehaviour the simulated radio can show. Addresses name 8-byte blocks by
// their first radio address.
struct RadioFaults {
    bool silent = false;                      // never answers anything
    std::set<unsigned> ignoredHandshakes;     // 1-based ordinals left unanswered
    bool reply16 = false;                     // 0x16 for handshakes and "Ma"
    std::optional<unsigned> badAckAfterRead;  // wrong ack after reading this block
    std::optional<unsigned> refusedWrite;     // refuses a write to this block
    std::optional<unsigned> droppedWrite;     // acknowledges a write to this block, stores nothing
    bool junk = false;                        // stray bytes after every reply
    std::optional<unsigned> pullAfter;        // cable pulled after this block's reply
};

}  // namespace torvan::sim
