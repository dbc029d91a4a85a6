#include "cli/FleetTable.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "cli/InterruptWatch.h"

namespace torvan::cli {
namespace {

std::string Padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

}  // namespace

std::string Describe(const Result& result) {
    if (result.ok) {
        return "OK";
    }
    return result.reason.empty() ? result.error : result.error + ": " + result.reason;
}

int ReportFleet(const std::vector<FleetRow>& rows, const std::string& lastHeading,
                std::ostream& out, std::ostream& err) {
    std::size_t portWidth = 4;
    std::size_t resultWidth = 6;
    for (const FleetRow& row : rows) {
        portWidth = std::max(portWidth, row.port.size());
        resultWidth = std::max(resultWidth, Describe(row.result).size());
    }
    out << Padded("PORT", portWidth) << "  " << Padded("RESULT", resultWidth) << "  "
        << Padded("TIME", 8) << "  " << lastHeading << '\n';
    std::string failed;
    for (const FleetRow& row : rows) {
        out << Padded(row.port, portWidth) << "  " << Padded(Describe(row.result), resultWidth)
            << "  " << Padded(Seconds(row.seconds), 8) << "  " << row.last << '\n';
        if (!row.passed) {
            failed += (failed.empty() ? "" : ", ") + row.port;
        }
    }
    out << std::flush;
    for (const FleetRow& row : rows) {
        if (!row.note.empty()) {
            err << row.port << ": " << row.note << '\n';
        }
    }
    if (failed.empty()) {
        return 0;
    }
    const auto count =
        std::count_if(rows.begin(), rows.end(), [](const FleetRow& row) { return !row.passed; });
    err << count << " of " << rows.size() << " radios failed: " << failed << '\n';
    return InterruptWatch::FailureStatus();
}

}  // namespace torvan::cli
