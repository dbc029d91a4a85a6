#include "form/ChoiceList.h"

#include "model/Text.h"

namespace torvan {
std::string ChoiceList::SelectedText() const {
    const int position = Selected();
    return position == kNone ? std::string() : EntryText(position);
}

void ChoiceList::SelectByPrefix(std::string_view prefix, PrefixSearch search) {
    const int count = Count();
    const int start = search == PrefixSearch::FromSecond && count > 0 ? 1 % count : 0;
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
