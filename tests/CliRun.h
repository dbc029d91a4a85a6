#pragma once

#include <ostream>
#include <sstream>
#include <string>

#include "cli/DocumentCommands.h"

namespace torvan::testing_support {

// What one torvan-cli command did: its exit status and both streams.
struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

using CliCommand = int (*)(const cli::Args&, std::ostream&, std::ostream&);

// Runs a command as torvan-cli would, with its streams captured.
inline CliRun RunCli(CliCommand command, const cli::Args& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(args, out, err);
    return CliRun{status, out.str(), err.str()};
}

}  // namespace torvan::testing_support
