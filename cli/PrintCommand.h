#pragma once

#include <iosfwd>

#include "cli/DocumentCommands.h"

namespace torvan::cli {

// torvan-cli print [--paper a4|letter] IN.sin OUT.pdf|-
int RunPrint(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
