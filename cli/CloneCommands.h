#pragma once

#include <iosfwd>

#include "cli/DocumentCommands.h"

namespace torvan::cli {

// torvan-cli read --port PORT [--password DIGITS] OUT.sin, or with several
// --port ... FOLDER (see FleetCommands)
int RunRead(const Args& args, std::ostream& out, std::ostream& err);
// torvan-cli write --port PORT [--port PORT...] [--verify] IN.sin
int RunWrite(const Args& args, std::ostream& out, std::ostream& err);
// torvan-cli power --port PORT POINT [VALUE]
int RunPower(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
