#include "tools/ByteTrace.h"

namespace torvan::sim {

ByteTrace::~ByteTrace() {
    if (direction_ != '\0') {
        std::fputc('\n', file_);
    }
    std::fflush(file_);
}

// Flushed at once: a test may read the trace while the radio still serves.
void ByteTrace::Add(char direction, std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return;
    }
    if (direction != direction_) {
        std::fprintf(file_, direction_ == '\0' ? "%c" : "\n%c", direction);
        direction_ = direction;
    }
    for (const std::uint8_t byte : bytes) {
        std::fprintf(file_, " %02X", static_cast<unsigned>(byte));
    }
    std::fflush(file_);
}

}  // namespace torvan::sim
