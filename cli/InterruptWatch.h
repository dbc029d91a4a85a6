#pragma once

#include <array>

namespace torvan::cli {

// Ctrl+C (SIGINT) and SIGTERM while a radio transfer runs. The handler only
// notes the signal: the transfer stops at its next block and closes the port
// the usual way, which gives the port back its settings. The previous
// handlers return when the watch ends.
class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // The signal caught by any watch so far; 0 when none.
    static int Caught();

private:
    using Handler = void (*)(int);
    std::array<Handler, 2> previous_{};  // SIGINT's and SIGTERM's
};

}  // namespace torvan::cli
