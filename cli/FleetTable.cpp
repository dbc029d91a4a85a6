#include "cli/FleetTable.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "cli/InterruptWatch.h"
#include "link/PortHint.h"
#include "model/Utf8Text.h"

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

std::vector<std::string> FailureNotes(const Result& failure) {
    std::vector<std::string> notes;
    if (!failure.reason.empty()) {
        notes.push_back(PrintableText(failure.reason));
    }
    if (std::string hint = FailureHint(failure); !hint.empty()) {
        notes.push_back(std::move(hint));
    }
    return notes;
}

void FleetRow::Fail(const Result& failure, CloneDirection direction) {
    outcome = Outcome::Failed;
    if (InterruptWatch::Caught() != 0) {
        stopped = true;
        result = "Interrupted";
        notes.push_back(InterruptWatch::Interrupted(direction).error);
        return;
    }
    result = PrintableText(failure.error);
    notes = FailureNotes(failure);
}

int ReportFleet(const std::vector<FleetRow>& rows, const std::string& lastHeading,
                std::ostream& out, std::ostream& err) {
    std::size_t portWidth = 4;
    std::size_t resultWidth = 6;
    std::size_t idWidth = 6;
    for (const FleetRow& row : rows) {
        portWidth = std::max(portWidth, row.port.size());
        resultWidth = std::max(resultWidth, row.result.size());
        idWidth = std::max(idWidth, row.pttId.size());
    }
    out << Padded("PORT", portWidth) << "  " << Padded("RESULT", resultWidth) << "  "
        << Padded("TIME", 8) << "  " << Padded("PTT ID", idWidth) << "  " << lastHeading << '\n';
    for (const FleetRow& row : rows) {
        out << Padded(row.port, portWidth) << "  " << Padded(row.result, resultWidth) << "  "
            << Padded(Seconds(row.seconds), 8) << "  " << Padded(row.pttId, idWidth) << "  "
            << row.last << '\n';
    }
    out << std::flush;
    std::string failed;
    std::size_t count = 0;
    bool stopped = false;
    for (const FleetRow& row : rows) {
        for (const std::string& note : row.notes) {
            err << row.port << ": " << note << '\n';
        }
        if (row.outcome == FleetRow::Outcome::Failed) {
            failed += (count++ == 0 ? "" : ", ") + row.port;
        }
        stopped = stopped || row.stopped;
    }
    if (count != 0) {
        err << count << " of " << rows.size() << " radios failed: " << failed << '\n';
    }
    if (stopped) {
        return InterruptWatch::FailureStatus();
    }
    return std::all_of(rows.begin(), rows.end(),
                       [](const FleetRow& row) { return row.outcome == FleetRow::Outcome::Passed; })
               ? 0
               : 1;
}

}  // namespace torvan::cli
