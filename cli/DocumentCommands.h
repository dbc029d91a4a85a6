#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace torvan::cli {

using Args = std::vector<std::string>;

// torvan-cli new OUT.sin
int RunNew(const Args& args, std::ostream& out, std::ostream& err);
// torvan-cli show IN.sin
int RunShow(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
