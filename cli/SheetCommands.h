#pragma once

#include <iosfwd>

#include "cli/DocumentCommands.h"

namespace torvan::cli {

// torvan-cli export-csv [--format own|common] IN.sin OUT.csv
int RunExportCsv(const Args& args, std::ostream& out, std::ostream& err);
// torvan-cli import-csv [--format own|common] [--fix] IN.sin CHANNELS.csv OUT.sin
int RunImportCsv(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
