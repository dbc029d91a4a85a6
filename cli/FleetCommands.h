#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace torvan::cli {

// Several radios at once, one --port each: every radio gets its own transfer
// on its own thread, exactly as a command for that port alone would run it,
// so one radio's failure neither stops nor slows another. Progress goes to
// `err`, a table of the results to `out`. Exit 0 only when every radio
// succeeded.

// write --port A --port B ... [--verify] IN.sin
int RunFleetWrite(const std::vector<std::string>& ports, const std::string& file, bool verify,
                  std::ostream& out, std::ostream& err);
// read --port A --port B ... [--password DIGITS] FOLDER
int RunFleetRead(const std::vector<std::string>& ports, const std::optional<std::string>& password,
                 const std::string& folder, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
