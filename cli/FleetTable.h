#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "link/CloneTransfer.h"
#include "model/Result.h"

namespace torvan::cli {

// One radio's row in the table a fleet command ends with.
struct FleetRow {
    enum class Outcome {
        Passed,      // the radio did everything asked of it
        Failed,      // it did not, or may hold a partial write
        Unverified,  // its Write completed; the user stopped the read-back
    };

    std::string port;          // printable
    std::string result = "-";  // "OK", one of the four messages, "Interrupted"
    double seconds = 0;
    Outcome outcome = Outcome::Failed;
    bool stopped = false;            // a signal cut the radio's work short
    std::string pttId = "-";         // what the radio was to get, or what it was read with
    std::string last = "-";          // the verify result, or the file a read was saved as
    std::vector<std::string> notes;  // said under the table: why, what to do

    // The row of a transfer that failed: its message, then under the table
    // the system's reason and what to do. After a signal, what the stopped
    // transfer has left.
    void Fail(const Result& failure, CloneDirection direction);
};

// The system's reason for a failure and what to do about it, printable.
std::vector<std::string> FailureNotes(const Result& failure);

// The table on `out` (port, result, time, PTT ID, then `lastHeading`), then the
// notes and the ports that failed on `err`. Returns the exit status: as the
// shell reports the signal (130 for Ctrl+C) when one stopped any radio's
// work, else 0 when every radio passed, else 1.
int ReportFleet(const std::vector<FleetRow>& rows, const std::string& lastHeading,
                std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
