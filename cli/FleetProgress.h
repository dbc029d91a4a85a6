#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/ProgressWriter.h"
#include "cli/TerminalProgress.h"
#include "link/TransferSink.h"

namespace torvan::cli {

// The progress of several transfers at once on standard error. On a terminal
// that has a row for every port, every port keeps one line, redrawn in place
// and kept within the terminal's width (the bar narrows, then long port
// names keep their ends); otherwise each report is a plain line that begins
// with its port, one every ten per cent. The sinks report from their
// transfers' threads; each report is queued whole.
class FleetProgress {
public:
    // `terminal`: nullopt for a plain stream, else the terminal's size.
    FleetProgress(std::ostream& err, std::vector<std::string> ports,
                  std::optional<TerminalSize> terminal);

    // A sink for one transfer on port number `port`, captioned as the
    // progress dialog would be ("Write data").
    std::unique_ptr<TransferSink> Sink(std::size_t port, std::string caption);

private:
    class Line;
    void Show(std::size_t port, const std::string& text);

    std::vector<std::string> labels_;  // the ports, padded to one width
    bool redraw_ = false;              // lines redrawn in place
    std::size_t columns_ = 0;          // the width of a redrawn line
    std::size_t barWidth_ = TerminalProgress::kBarWidth;
    ProgressWriter writer_;
};

}  // namespace torvan::cli
