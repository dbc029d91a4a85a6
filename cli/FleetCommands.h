#pragma once

#include <iosfwd>

#include "cli/PortArgs.h"

namespace torvan::cli {

// Several radios at once, one --port each: every radio gets its own transfer
// on its own thread, exactly as a command for that port alone would run it,
// so one radio's failure neither stops nor slows another. Progress goes to
// `err`, a table of the results to `out`. Exit 0 only when every radio
// succeeded.

// write --port A --port B ... [--verify] [--ptt-id FIRST | --ptt-ids FILE]
// [--log FILE] IN.sin: each radio gets IN.sin with its own PTT ID.
int RunFleetWrite(const PortArgs& args, bool verify, std::ostream& out, std::ostream& err);
// read --port A --port B ... [--password DIGITS] [--log FILE] FOLDER
int RunFleetRead(const PortArgs& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
