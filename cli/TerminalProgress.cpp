#include "cli/TerminalProgress.h"

#include <unistd.h>

#include <iostream>
#include <utility>

#include "cli/InterruptWatch.h"

namespace torvan::cli {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

TerminalProgress::TerminalProgress(std::ostream& err, std::string caption, bool terminal)
    : err_(err), caption_(std::move(caption)), terminal_(terminal) {}

bool TerminalProgress::IsTerminal(const std::ostream& err) {
    return &err == &std::cerr && ::isatty(STDERR_FILENO) != 0;
}

std::string TerminalProgress::Bar(int position, int upper, const std::string& percentText) {
    const auto filled = static_cast<std::size_t>(position * kBarWidth / upper);
    return '[' + std::string(filled, '#') +
           std::string(static_cast<std::size_t>(kBarWidth) - filled, '-') + "] " + percentText;
}

void TerminalProgress::ShowProgress(int position, int upper, const std::string& percentText) {
    const int percent = position * 100 / upper;
    if (terminal_) {
        const int filled = position * kBarWidth / upper;
        if (drawn_ && filled * 1000 + percent == lastShown_) {
            return;
        }
        lastShown_ = filled * 1000 + percent;
        err_ << '\r' << caption_ << ' ' << Bar(position, upper, percentText) << std::flush;
        drawn_ = true;
        return;
    }
    if (percent / 10 != lastShown_ / 10 || (percent == 100 && lastShown_ != 100)) {
        err_ << caption_ << ": " << percentText << '\n';
        lastShown_ = percent;
    }
}

void TerminalProgress::Finished(bool) {
    if (drawn_) {
        err_ << '\n' << std::flush;
        drawn_ = false;
    }
}

bool TerminalProgress::StopRequested() const {
    return InterruptWatch::Caught() != 0;
}

}  // namespace torvan::cli
