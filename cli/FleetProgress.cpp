#include "cli/FleetProgress.h"

#include <algorithm>
#include <ostream>
#include <tuple>
#include <utility>

#include "cli/InterruptWatch.h"

namespace torvan::cli {
namespace {

// The widest text beside the bar on a line: the label's gap, "Write data ["
// and "] 100%".
constexpr std::size_t kBesideBar = 20;
// The bar gives way first, down to this, then long port names, down to what
// still tells one from another, then the bar again.
constexpr long kShortBar = 10;
constexpr long kShortestLabel = 12;

// Labels that would make the lines too wide lose first what they share at
// their start (the folder of /dev/serial/by-id/ names, the cable maker's
// part), then their end: the part where ports differ stays.
void Shorten(std::vector<std::string>& labels, std::size_t columns) {
    std::vector<std::string*> wide;
    for (std::string& label : labels) {
        if (TerminalProgress::Columns(label) > columns) {
            wide.push_back(&label);
        }
    }
    if (wide.empty()) {
        return;
    }
    std::size_t shared = wide[0]->size();
    for (const std::string* label : wide) {
        std::size_t same = 0;
        while (same < std::min(shared, label->size()) && (*label)[same] == (*wide[0])[same]) {
            ++same;
        }
        shared = same;
    }
    for (std::string* label : wide) {
        std::size_t start = std::min(shared, label->size() - std::min(label->size(), columns - 3));
        while (start < label->size() && TerminalProgress::Columns(label->substr(start, 1)) == 0) {
            ++start;  // not into a character
        }
        *label = TerminalProgress::Fit("..." + label->substr(start), columns);
    }
}

// The label's and the bar's widths on a line with `room` for both.
std::pair<std::size_t, std::size_t> Layout(std::size_t labelWidth, std::size_t room) {
    const auto free = static_cast<long>(room);
    auto label = static_cast<long>(labelWidth);
    long bar = std::clamp(free - label, kShortBar, static_cast<long>(TerminalProgress::kBarWidth));
    if (label + bar > free) {
        label = std::min(label, std::max(kShortestLabel, free - bar));
    }
    bar = std::max(0L, std::min(bar, free - label));
    return {static_cast<std::size_t>(label), static_cast<std::size_t>(bar)};
}

}  // namespace

class FleetProgress::Line final : public TransferSink {
public:
    Line(FleetProgress& owner, std::size_t port, std::string caption)
        : owner_(owner), port_(port), caption_(std::move(caption)) {}

    void DisableButtons() override {}
    void ShowProgress(int position, int upper, const std::string& percentText) override {
        if (owner_.redraw_) {
            Show(caption_ + ' ' +
                 TerminalProgress::Bar(position, upper, percentText, owner_.barWidth_));
        } else if (const int tenth = position * 10 / upper; tenth != lastTenth_) {
            lastTenth_ = tenth;
            Show(caption_ + ": " + percentText);
        }
    }
    void ShowFailure(const Result& failure) override { failure_ = failure.error; }
    void Finished(bool success) override {
        Show(caption_ + (success            ? ": done"
                         : failure_.empty() ? ": stopped"
                                            : " failed: " + failure_));
    }
    bool StopRequested() const override { return InterruptWatch::Caught() != 0; }

private:
    // A terminal line is redrawn only when it changes.
    void Show(const std::string& text) {
        if (text != shown_) {
            shown_ = text;
            owner_.Show(port_, text);
        }
    }

    FleetProgress& owner_;
    std::size_t port_;
    std::string caption_;
    std::string failure_;
    std::string shown_;
    int lastTenth_ = 0;
};

FleetProgress::FleetProgress(std::ostream& err, std::vector<std::string> ports,
                             std::optional<TerminalSize> terminal)
    : labels_(std::move(ports)), writer_(err) {
    std::size_t width = 0;
    for (const std::string& label : labels_) {
        width = std::max(width, TerminalProgress::Columns(label));
    }
    // Below the block of lines rests the cursor: with fewer rows, lines would
    // scroll away from where they are redrawn.
    redraw_ = terminal && labels_.size() < terminal->rows;
    if (redraw_) {
        columns_ = TerminalProgress::Usable(*terminal);
        std::tie(width, barWidth_) =
            Layout(width, columns_ > kBesideBar ? columns_ - kBesideBar : 0);
    }
    Shorten(labels_, width);
    std::string waiting;
    for (std::string& label : labels_) {
        label.resize(label.size() + width - std::min(width, TerminalProgress::Columns(label)), ' ');
        if (redraw_) {
            waiting += TerminalProgress::Fit(label + "  waiting", columns_) + '\n';
        }
    }
    writer_.Write(waiting);
}

std::unique_ptr<TransferSink> FleetProgress::Sink(std::size_t port, std::string caption) {
    return std::make_unique<Line>(*this, port, std::move(caption));
}

// On a terminal the cursor rests below the block of lines: up to the port's
// line, redraw it, and back down.
void FleetProgress::Show(std::size_t port, const std::string& text) {
    const std::string line = labels_[port] + "  " + text;
    if (!redraw_) {
        writer_.Write(line + '\n');
        return;
    }
    const std::string up = std::to_string(labels_.size() - port);
    writer_.Write("\x1b[" + up + "A\r" + TerminalProgress::Fit(line, columns_) + "\x1b[K\x1b[" +
                  up + "B\r");
}

}  // namespace torvan::cli
