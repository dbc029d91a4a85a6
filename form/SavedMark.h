#pragma once

#include <optional>

#include "model/MemoryImage.h"

namespace torvan {

// Whether the document differs from what was last saved, opened or made new.
// Both sides are images as EncodeImage makes them from the form (into a
// scratch copy: the document itself changes only when it is saved, read or
// written), so bytes of a file that the form would store otherwise do not
// count, and an edit undone by hand is no change at all.
class SavedMark {
public:
    // `encoded` is the document as it now counts as saved.
    void Set(const MemoryImage& encoded) { saved_ = encoded; }
    // Before any document is marked there is nothing to lose.
    bool Changed(const MemoryImage& encoded) const { return saved_ && *saved_ != encoded; }

private:
    std::optional<MemoryImage> saved_;
};

}  // namespace torvan
