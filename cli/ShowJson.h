#pragma once

#include <iosfwd>
#include <string>

#include "cli/DecodedFile.h"

namespace torvan::cli {

// torvan-cli show --json: the settings, the option groups and the channels
// that have a receive frequency, as one JSON object of the window's texts.
void PrintJson(DecodedFile& file, std::ostream& out);

// The option groups for the text form of show: one "label: text" line each;
// empty broadcast presets are left out.
void PrintOptionGroups(const MemoryImage& image, std::ostream& out);

// `text` as a JSON string literal.
std::string JsonString(const std::string& text);

}  // namespace torvan::cli
