#pragma once

#include <iosfwd>

#include "cli/DocumentCommands.h"

namespace torvan::cli {

// torvan-cli log [--port PORT]... [--since DATE] [--json] LOG.csv: the log
// that --log keeps, as a table (or JSON), one row a radio. A line the log
// lost the end of (a program that stopped while it wrote it) is named on
// standard error and left out; the rest is shown.
int RunLog(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
