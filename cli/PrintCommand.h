#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace torvan::cli {

// torvan-cli print [--paper a4|letter] IN.sin OUT.pdf
int RunPrint(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
