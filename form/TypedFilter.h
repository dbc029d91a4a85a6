#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace torvan {

struct FilteredText {
    std::string text;
    std::size_t cursor = 0;
    friend bool operator==(const FilteredText&, const FilteredText&) = default;
};

// What an edit box with a character set and a length limit keeps of its new
// text, however the text arrived (typed, pasted, dropped): letters are
// upper-cased first when `upperCase` is set, characters outside `allowed` are
// dropped, and text beyond `maxLength` is cut from what was just inserted,
// the characters before the caret, as a full edit box refuses the rest of a
// paste. `cursor` is the caret position in `text` and moves with it.
FilteredText FilterTyped(std::string_view text, std::size_t cursor, std::string_view allowed,
                         std::size_t maxLength, bool upperCase);

}  // namespace torvan
