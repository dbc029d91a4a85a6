#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/DocumentCommands.h"

namespace torvan::cli {

// The arguments of the radio commands: --port PORT (once or more), the
// options the command takes, and the positional words.
struct PortArgs {
    std::vector<std::string> ports;  // in the order given
    std::optional<std::string> password;
    std::optional<std::string> pttId;   // --ptt-id FIRST
    std::optional<std::string> pttIds;  // --ptt-ids FILE
    std::optional<std::string> log;     // --log FILE
    std::vector<std::string> positional;
};

// The options a command takes besides --port, as bits.
enum PortOption : unsigned {
    kPasswordOption = 1U,  // --password DIGITS
    kPttIdOptions = 2U,    // --ptt-id FIRST or --ptt-ids FILE
    kLogOption = 4U,       // --log FILE
};

// False, with a message on `err`, for unknown options, a missing --port, a
// password that is not 1 to 6 digits, an option given twice that must be
// given once, or --ptt-id and --ptt-ids together.
bool ParsePortArgs(const std::string& command, const Args& args, unsigned options,
                   PortArgs& parsed, std::ostream& err);

}  // namespace torvan::cli
