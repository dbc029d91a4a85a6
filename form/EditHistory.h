#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "model/MemoryImage.h"

namespace torvan {

// Where a step happened, so that undoing it can show the place: a grid cell
// (row and column), a setting of the panel, or neither (an option dialog, a
// Read).
struct EditPlace {
    int row = 0;  // 0: no grid cell
    int col = 0;
    int setting = -1;  // -1: no setting
};

// One thing the user did, as the status bar names it ("Delete channel 12").
struct EditStep {
    std::string label;
    EditPlace place;
};

// The document's undo history: the images it went through, each as
// EncodeImage made it from the form, so that a step restores every byte
// exactly, bits no control owns included. New and Open start it anew; Save
// marks a state as the one the file holds. "Changed" compares the form's
// encoding with that state, so an edit typed back by hand is no change, and
// undoing past the save is one again.
class EditHistory {
public:
    // Steps kept; the oldest goes first. 101 images of 4096 bytes.
    static constexpr std::size_t kMaxSteps = 100;

    // A new or opened document: no steps, and `state` counts as saved.
    void Start(const MemoryImage& state);
    // The state after something the user did. A state equal to the current
    // one, or one before any Start, is no step (false); otherwise the steps
    // that could be redone go.
    bool Record(const MemoryImage& state, EditStep step);

    // The state to return to and the step that is undone (or redone): copies,
    // which stay right whatever is recorded while they are shown.
    struct Move {
        MemoryImage state;
        EditStep step;
    };
    std::optional<Move> Undo();
    std::optional<Move> Redo();

    // `state` is what the file now holds.
    void MarkSaved(const MemoryImage& state) { saved_ = state; }
    // Whether `shown` (the form's encoding now) differs from what was saved.
    // Before any document is started there is nothing to lose.
    bool Changed(const MemoryImage& shown) const { return saved_ && *saved_ != shown; }

    std::size_t UndoCount() const { return current_; }
    std::size_t RedoCount() const { return steps_.size() - current_; }

private:
    // states_[i + 1] is states_[i] after steps_[i]; states_[current_] is the
    // document's state now.
    std::deque<MemoryImage> states_;
    std::deque<EditStep> steps_;
    std::size_t current_ = 0;
    std::optional<MemoryImage> saved_;
};

}  // namespace torvan
