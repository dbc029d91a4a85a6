#include "cli/TerminalProgress.h"

#include <algorithm>
#include <iostream>
#include <utility>

#include "cli/InterruptWatch.h"

namespace torvan::cli {
namespace {

// "Write data [" and "] 100%" around the bar.
constexpr std::size_t kAroundBar = 8;

// A byte that begins a character (UTF-8 continuation bytes are 10xxxxxx).
bool StartsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U;
}

}  // namespace

TerminalProgress::TerminalProgress(std::ostream& err, std::string caption,
                                   std::optional<TerminalSize> terminal)
    : caption_(std::move(caption)), terminal_(terminal), writer_(err) {
    if (terminal_) {
        const std::size_t room = Usable(*terminal_);
        const std::size_t fixed = caption_.size() + kAroundBar;
        barWidth_ = std::min(kBarWidth, room > fixed ? room - fixed : 0);
    }
}

std::optional<TerminalSize> TerminalProgress::Terminal(const std::ostream& err) {
    return &err == &std::cerr ? RedrawingTerminal() : std::nullopt;
}

std::string TerminalProgress::Bar(int position, int upper, const std::string& percentText,
                                  std::size_t width) {
    const auto filled =
        static_cast<std::size_t>(position) * width / static_cast<std::size_t>(upper);
    return '[' + std::string(filled, '#') + std::string(width - filled, '-') + "] " + percentText;
}

std::string TerminalProgress::Fit(const std::string& line, std::size_t columns) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (StartsCharacter(line[i]) && seen++ == columns) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::size_t TerminalProgress::Columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

std::size_t TerminalProgress::Usable(const TerminalSize& size) {
    return size.columns > 1 ? size.columns - 1 : 1;
}

void TerminalProgress::ShowProgress(int position, int upper, const std::string& percentText) {
    const int percent = position * 100 / upper;
    if (terminal_) {
        const auto filled = static_cast<int>(static_cast<std::size_t>(position) * barWidth_ /
                                             static_cast<std::size_t>(upper));
        if (drawn_ && filled * 1000 + percent == lastShown_) {
            return;
        }
        lastShown_ = filled * 1000 + percent;
        writer_.Write('\r' + Fit(caption_ + ' ' + Bar(position, upper, percentText, barWidth_),
                                 Usable(*terminal_)));
        drawn_ = true;
        return;
    }
    if (percent / 10 != lastShown_ / 10 || (percent == 100 && lastShown_ != 100)) {
        writer_.Write(caption_ + ": " + percentText + '\n');
        lastShown_ = percent;
    }
}

void TerminalProgress::Finished(bool) {
    if (drawn_) {
        writer_.Write("\n");
        drawn_ = false;
    }
}

bool TerminalProgress::StopRequested() const {
    return InterruptWatch::Caught() != 0;
}

}  // namespace torvan::cli
