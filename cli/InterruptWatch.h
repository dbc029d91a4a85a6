#pragma once

#include <array>

#include "link/CloneTransfer.h"
#include "model/Result.h"

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
    // The exit status of a failed command: as the shell reports a signal
    // (130 for Ctrl+C) when one was caught, else 1.
    static int FailureStatus();
    // What a transfer the user stopped has left behind.
    static Result Interrupted(CloneDirection direction);

private:
    using Handler = void (*)(int);
    std::array<Handler, 2> previous_{};  // SIGINT's and SIGTERM's
};

}  // namespace torvan::cli
