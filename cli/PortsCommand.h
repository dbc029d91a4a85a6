#pragma once

#include <iosfwd>

#include "cli/DocumentCommands.h"

namespace torvan::cli {

// torvan-cli ports: the serial ports present, their COM names and whether
// the current user may open them.
int RunPorts(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
