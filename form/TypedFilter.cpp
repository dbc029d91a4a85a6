#include "form/TypedFilter.h"

#include <algorithm>

namespace torvan {
namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

FilteredText FilterTyped(std::string_view text, std::size_t cursor, std::string_view allowed,
                         std::size_t maxLength, bool upperCase) {
    FilteredText kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = upperCase ? Upper(text[i]) : text[i];
        if (allowed.find(c) == std::string_view::npos) {
            continue;
        }
        kept.text.push_back(c);
        if (i < cursor) {
            ++kept.cursor;
        }
    }
    if (kept.text.size() > maxLength) {
        const std::size_t excess = kept.text.size() - maxLength;
        if (kept.cursor >= excess) {
            kept.cursor -= excess;
            kept.text.erase(kept.cursor, excess);
        } else {
            // A caret too near the start to have just inserted the excess.
            kept.text.resize(maxLength);
            kept.cursor = std::min(kept.cursor, maxLength);
        }
    }
    return kept;
}

}  // namespace torvan
