#pragma once

#include <string>
#include <string_view>

namespace torvan {

// A pick-only drop-down list as the image codecs see it. The GUI adapts a
// combo box to it; tests and the command-line tool use MemoryChoiceList.
// Where a prefix search starts: at the first entry, or at the second with
// the first tried last.
enum class PrefixSearch { FromFirst, FromSecond };

class ChoiceList {
public:
    static constexpr int kNone = -1;

    virtual ~ChoiceList() = default;

    virtual void Reset() = 0;
    virtual void Add(const std::string& text) = 0;
    virtual int Count() const = 0;
    virtual std::string EntryText(int position) const = 0;
    // A position outside the list leaves no selection.
    virtual void Select(int position) = 0;
    virtual int Selected() const = 0;

    std::string SelectedText() const;
    // Selects the first entry that begins with `prefix`, ignoring letter case,
    // searching as `search` says. Selects the first entry when none matches.
    void SelectByPrefix(std::string_view prefix, PrefixSearch search);
    // Selects `position` when it is in the list, else the first entry.
    void SelectOrFirst(int position);
};

}  // namespace torvan
