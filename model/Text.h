#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace torvan {

// Comparisons that ignore the letter case of ASCII letters.
bool EqualNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// `text` without the blanks and tabs at either end (a sheet's cell).
std::string TrimmedBlanks(std::string_view text);

// The characters after the first colon up to the next white space, leading
// white space skipped (scanf "%*[^:]:%s"); empty without a colon.
std::string_view WordAfterColon(std::string_view text);

// Ascending numbers as runs for a report: "1-3, 7, 9-10", each number shown
// by `show` (addresses in hexadecimal, channels in decimal).
std::string RunsText(const std::vector<std::size_t>& ascending,
                     const std::function<std::string(std::size_t)>& show);

}  // namespace torvan
