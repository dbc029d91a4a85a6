#pragma once

#include <array>

#include "link/CloneTransfer.h"
#include "model/Result.h"

namespace torvan::cli {

// Ctrl+C (SIGINT), SIGTERM and SIGQUIT while a radio transfer runs; on
// Windows the console's Ctrl+C, Ctrl+Break and close, each noted as SIGINT.
// The handler only notes the signal: the transfer stops at its next block
// and closes the port the usual way, which gives the port back its settings.
// The previous handlers return when the watch ends.
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
    // A radio command outlives its terminal: a hang-up (a closed terminal
    // window, a dropped remote session) lets the transfers finish and the
    // ports be restored. Called once, before any transfer.
    static void OutlastTheTerminal();
    // What a transfer the user stopped has left behind.
    static Result Interrupted(CloneDirection direction);
    // A Write that completed, whose read-back the user stopped.
    static Result Unverified();

private:
#ifndef _WIN32
    using Handler = void (*)(int);
    std::array<Handler, 3> previous_{};  // SIGINT's, SIGTERM's and SIGQUIT's
#endif
};

}  // namespace torvan::cli
