#pragma once

#include <string_view>

namespace torvan {

// The text a newly created Program.ini starts with at its usual place: model
// profiles for the VHF band, so that a first start shows a model and a range
// rather than two empty lists. Taken from config/DefaultProgram.ini, which is
// also installed for reference.
std::string_view DefaultProgramIni();

}  // namespace torvan
