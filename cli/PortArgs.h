#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/DocumentCommands.h"

namespace torvan::cli {

// The arguments of the radio commands: --port PORT (once or more), optionally
// --password DIGITS, and the positional words.
struct PortArgs {
    std::vector<std::string> ports;  // in the order given
    std::optional<std::string> password;
    std::vector<std::string> positional;
};

// False, with a message on `err`, for unknown options, a missing --port or a
// password that is not 1 to 6 digits.
// Whether a command takes --password.
enum class PasswordOption { Refused, Taken };

bool ParsePortArgs(const std::string& command, const Args& args, PasswordOption password,
                   PortArgs& parsed, std::ostream& err);

}  // namespace torvan::cli
