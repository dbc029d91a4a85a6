#pragma once

#include <iosfwd>

#include "cli/DocumentCommands.h"

namespace torvan::cli {

// torvan-cli diff A.sin B.sin: exit 0 when equal, 1 when they differ, 2 on
// error, as diff does.
int RunDiff(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
