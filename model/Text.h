#pragma once

#include <string_view>

namespace torvan {

// Comparisons that ignore the letter case of ASCII letters.
bool EqualNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The characters after the first colon up to the next white space, leading
// white space skipped (scanf "%*[^:]:%s"); empty without a colon.
std::string_view WordAfterColon(std::string_view text);

}  // namespace torvan
