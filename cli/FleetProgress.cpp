#include "cli/FleetProgress.h"

#include <algorithm>
#include <ostream>
#include <utility>

#include "cli/InterruptWatch.h"
#include "cli/TerminalProgress.h"

namespace torvan::cli {

class FleetProgress::Line final : public TransferSink {
public:
    Line(FleetProgress& owner, std::size_t port, std::string caption)
        : owner_(owner), port_(port), caption_(std::move(caption)) {}

    void DisableButtons() override {}
    void ShowProgress(int position, int upper, const std::string& percentText) override {
        if (owner_.terminal_) {
            Show(caption_ + ' ' + TerminalProgress::Bar(position, upper, percentText));
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

FleetProgress::FleetProgress(std::ostream& err, std::vector<std::string> ports, bool terminal)
    : err_(err), labels_(std::move(ports)), terminal_(terminal) {
    std::size_t width = 0;
    for (const std::string& label : labels_) {
        width = std::max(width, label.size());
    }
    for (std::string& label : labels_) {
        label.resize(width, ' ');
        if (terminal_) {
            err_ << label << "  waiting\n";
        }
    }
    err_ << std::flush;
}

std::unique_ptr<TransferSink> FleetProgress::Sink(std::size_t port, std::string caption) {
    return std::make_unique<Line>(*this, port, std::move(caption));
}

// On a terminal the cursor rests below the block of lines: up to the port's
// line, redraw it, and back down.
void FleetProgress::Show(std::size_t port, const std::string& text) {
    const std::lock_guard lock(mutex_);
    if (!terminal_) {
        err_ << labels_[port] << "  " << text << std::endl;
        return;
    }
    const std::size_t up = labels_.size() - port;
    err_ << "\x1b[" << up << "A\r" << labels_[port] << "  " << text << "\x1b[K\x1b[" << up << "B\r"
         << std::flush;
}

}  // namespace torvan::cli
