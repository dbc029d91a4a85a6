#include "model/ChoiceList.h"

#include <cctype>

namespace torvan {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string ChoiceList::SelectedText() const {
    const int position = Selected();
    return position == kNone ? std::string() : EntryText(position);
}

void ChoiceList::SelectByPrefix(std::string_view prefix, bool fromSecond) {
    const int count = Count();
    const int start = fromSecond && count > 0 ? 1 % count : 0;
    for (int k = 0; k < count; ++k) {
        const int position = (start + k) % count;
        if (StartsWithNoCase(EntryText(position), prefix)) {
            Select(position);
            return;
        }
    }
    Select(0);
}

void ChoiceList::SelectOrFirst(int position) {
    Select(position >= 0 && position < Count() ? position : 0);
}

}  // namespace torvan
