#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/Result.h"

namespace torvan::cli {

// One radio's row in the table a fleet command ends with.
struct FleetRow {
    std::string port;
    Result result;  // the transfer's, or the saving's after a read
    double seconds = 0;
    bool passed = false;  // the radio did everything asked of it
    std::string last;     // the verify result, or the file a read was saved as
    std::string note;     // said under the table: a hint, a copy not kept
};

// "Communication error: /dev/ttyUSB1: write time-out", or "OK".
std::string Describe(const Result& result);

// The table on `out` (port, result, time, then `lastHeading`), then the
// notes and the ports that failed on `err`. Returns the exit status: 0 when
// every radio passed.
int ReportFleet(const std::vector<FleetRow>& rows, const std::string& lastHeading,
                std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
