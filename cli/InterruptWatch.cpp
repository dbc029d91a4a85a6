#include "cli/InterruptWatch.h"

#include <atomic>
#include <csignal>

#ifdef _WIN32
#include <windows.h>
#endif

namespace torvan::cli {
namespace {

// Written by the handler, read by the transfer's thread: lock-free, so safe
// in both.
std::atomic<int> caught{0};
static_assert(std::atomic<int>::is_always_lock_free);

#ifdef _WIN32

// Windows ends a program soon after its console closes; until then the
// transfer has the time to stop at its next block and give the port back.
constexpr DWORD kCloseGraceMs = 4000;

BOOL WINAPI Note(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    caught.store(SIGINT);
    if (event == CTRL_CLOSE_EVENT) {
        Sleep(kCloseGraceMs);
    }
    return TRUE;
}

}  // namespace

InterruptWatch::InterruptWatch() {
    SetConsoleCtrlHandler(Note, TRUE);
}

InterruptWatch::~InterruptWatch() {
    SetConsoleCtrlHandler(Note, FALSE);
}

// A closed console ends the program (see Note); there is no hang-up to ignore.
void InterruptWatch::OutlastTheTerminal() {}

#else

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

void InterruptWatch::OutlastTheTerminal() {
    std::signal(SIGHUP, SIG_IGN);
}

#endif

int InterruptWatch::Caught() {
    return caught.load();
}

int InterruptWatch::FailureStatus() {
    const int signal = Caught();
    return signal != 0 ? 128 + signal : 1;
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
