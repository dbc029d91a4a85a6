#include "tools/RadioResponder.h"

#include <utility>

namespace torvan::sim {
namespace {

constexpr std::array<std::uint8_t, 7> kHandshake = {0x02, 'P', 'R', 'O', 'G', 'R', 'C'};
constexpr std::array<std::uint8_t, 8> kIdentity = {'T', 'V', 'S', 'I', 'M', 0x00, 0x01, 0xFF};
// Bytes a noisy line leaves behind a reply; none of them is a valid answer.
constexpr std::array<std::uint8_t, 4> kJunk = {0x15, 0x5A, 0x00, 0xA5};
constexpr std::size_t kAddressMask = MemoryImage::kSize - 1;

}  // namespace

RadioResponder::RadioResponder(MemoryImage& memory, RadioFaults faults)
    : memory_(memory), faults_(std::move(faults)) {}

void RadioResponder::Arrived(std::chrono::steady_clock::time_point at) {
    if (at - lastArrival_ > kCommandGap) {
        pending_.clear();
    }
    lastArrival_ = at;
}

const RadioAction& RadioResponder::Feed(std::uint8_t byte) {
    action_.reply.clear();
    action_.trailer.clear();
    action_.hangUp = false;
    if (pending_.empty()) {
        switch (byte) {
            case 0x02:
            case 'M':
            case 'R':
            case 'W':
                pending_.push_back(byte);
                break;
            case 0x06:
                Ack();
                break;
            default:
                break;  // noise between commands
        }
        return action_;
    }
    if (pending_[0] == 0x02 && byte != kHandshake[pending_.size()]) {
        pending_.clear();
        return Feed(byte);
    }
    pending_.push_back(byte);
    if (pending_.size() == ExpectedLength()) {
        Complete();
        pending_.clear();
    }
    return action_;
}

std::size_t RadioResponder::ExpectedLength() const {
    switch (pending_[0]) {
        case 0x02:
            return kHandshake.size();
        case 'M':
            return 2;
        case 'R':
            return 4;
        default:  // 'W': header, then its data
            return pending_.size() < 4 ? 4 : 4U + pending_[3];
    }
}

unsigned RadioResponder::Address() const {
    return (static_cast<unsigned>(pending_[1]) << 8U) | pending_[2];
}

void RadioResponder::Complete() {
    if (pending_[0] == 0x02) {
        Handshake();
    } else if (session_ && pending_[0] == 'R') {
        ReadRequest();
    } else if (session_ && pending_[0] == 'W') {
        WriteRequest();
    } else if (session_) {
        Tuning(pending_[1]);
    }
}

void RadioResponder::Answer(std::initializer_list<std::uint8_t> reply, unsigned block) {
    if (faults_.silent) {
        action_.reply.clear();
        return;
    }
    action_.reply.insert(action_.reply.end(), reply);
    if (faults_.junk) {
        action_.trailer.assign(kJunk.begin(), kJunk.end());
    }
    action_.hangUp = faults_.pullAfter && *faults_.pullAfter == block;
}

void RadioResponder::Handshake() {
    ++counters_.handshakes;
    if (faults_.ignoredHandshakes.contains(counters_.handshakes)) {
        return;
    }
    session_ = true;
    Answer({faults_.reply16 ? std::uint8_t{0x16} : std::uint8_t{0x06}});
}

void RadioResponder::Ack() {
    if (!session_) {
        return;
    }
    const bool refuse = faults_.badAckAfterRead && *faults_.badAckAfterRead == lastReadBlock_;
    lastReadBlock_ = kNoBlock;
    Answer({refuse ? kNak : std::uint8_t{0x06}});
}

void RadioResponder::ReadRequest() {
    ++counters_.reads;
    const unsigned address = Address();
    const std::uint8_t length = pending_[3];
    action_.reply.assign({0xA5, pending_[1], pending_[2], length});
    for (unsigned i = 0; i < length; ++i) {
        action_.reply.push_back(memory_[(address + i) & kAddressMask]);
    }
    lastReadBlock_ = address;
    Answer({}, address);
}

void RadioResponder::WriteRequest() {
    ++counters_.writes;
    const unsigned address = Address();
    if (faults_.refusedWrite && *faults_.refusedWrite == address) {
        return Answer({kNak}, address);
    }
    if (faults_.droppedWrite && *faults_.droppedWrite == address) {
        return Answer({0x06}, address);
    }
    for (std::size_t i = 4; i < pending_.size(); ++i) {
        memory_[(address + i - 4) & kAddressMask] = pending_[i];
    }
    Answer({0x06}, address);
}

void RadioResponder::Tuning(std::uint8_t code) {
    if (code == 0x02) {
        ++counters_.identifies;
        action_.reply.assign(kIdentity.begin(), kIdentity.end());
        return Answer({});
    }
    if (code >= 'P' && code <= 'U') {
        ++counters_.levelQueries;
        return Answer({'M', code, 0x00, 0x00, memory_[offset::kTuning + code - 'P']});
    }
    if (code == 'a') {
        ++counters_.levelPrepares;
        return Answer({faults_.reply16 ? std::uint8_t{0x16} : std::uint8_t{0x06}});
    }
    if (code == '`') {
        ++counters_.tuningEnds;
        session_ = false;
    }
}

}  // namespace torvan::sim
