#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/ModelCatalog.h"

namespace torvan::cli {

using Args = std::vector<std::string>;

// The model profiles of Program.ini at its usual place. When it cannot be
// read, the first call of a run says so on `err` ("Warning: cannot read
// PATH: REASON; the model lists are empty."); later calls stay quiet.
ModelCatalog ProgramModels(std::ostream& err);

// torvan-cli new OUT.sin
int RunNew(const Args& args, std::ostream& out, std::ostream& err);
// torvan-cli show IN.sin
int RunShow(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace torvan::cli
