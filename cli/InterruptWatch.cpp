#include "cli/InterruptWatch.h"

#include <atomic>
#include <csignal>

namespace torvan::cli {
namespace {

// Written by the handler, read by the transfer's thread: lock-free, so safe
// in both.
std::atomic<int> caught{0};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr std::array<int, 3> kWatched = {SIGINT, SIGTERM, SIGQUIT};

extern "C" void Note(int signal) {
    caught.store(signal);
}

}  // namespace

InterruptWatch::InterruptWatch() {
    for (std::size_t i = 0; i < kWatched.size(); ++i) {
        previous_[i] = std::signal(kWatched[i], Note);
        // A signal the program was started to ignore (SIGINT in a job
        // started with &) stays ignored.
        if (previous_[i] == SIG_IGN) {
            std::signal(kWatched[i], SIG_IGN);
        }
    }
}

InterruptWatch::~InterruptWatch() {
    for (std::size_t i = 0; i < kWatched.size(); ++i) {
        if (previous_[i] != SIG_ERR) {
            std::signal(kWatched[i], previous_[i]);
        }
    }
}

int InterruptWatch::Caught() {
    return caught.load();
}

int InterruptWatch::FailureStatus() {
    const int signal = Caught();
    return signal != 0 ? 128 + signal : 1;
}

void InterruptWatch::OutlastTheTerminal() {
    std::signal(SIGHUP, SIG_IGN);
}

Result InterruptWatch::Interrupted(CloneDirection direction) {
    return Result::Failure(direction == CloneDirection::Write
                               ? "Interrupted: the radio may hold a partial write; write it again."
                               : "Interrupted: nothing was saved.");
}

Result InterruptWatch::Unverified() {
    return Result::Failure(
        "Interrupted: the write completed; the read-back was stopped, so it was not verified.");
}

}  // namespace torvan::cli
