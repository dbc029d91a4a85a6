#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/TransferSink.h"

namespace torvan::cli {

// The progress of several transfers at once on standard error. On a terminal
// every port keeps one line, redrawn in place; otherwise each report is a
// plain line that begins with its port, one every ten per cent. The sinks
// report from their transfers' threads; one lock keeps their lines whole.
class FleetProgress {
public:
    FleetProgress(std::ostream& err, std::vector<std::string> ports, bool terminal);

    // A sink for one transfer on port number `port`, captioned as the
    // progress dialog would be ("Write data").
    std::unique_ptr<TransferSink> Sink(std::size_t port, std::string caption);

private:
    class Line;
    void Show(std::size_t port, const std::string& text);

    std::mutex mutex_;
    std::ostream& err_;
    std::vector<std::string> labels_;  // the ports, padded to one width
    bool terminal_;
};

}  // namespace torvan::cli
