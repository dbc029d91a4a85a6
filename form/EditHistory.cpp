#include "form/EditHistory.h"

#include <utility>

namespace torvan {

void EditHistory::Start(const MemoryImage& state) {
    states_.assign(1, state);
    steps_.clear();
    current_ = 0;
    saved_ = state;
}

bool EditHistory::Record(const MemoryImage& state, EditStep step) {
    if (states_.empty() || states_[current_] == state) {
        return false;
    }
    // A new change after an undo: what was undone cannot be redone.
    states_.resize(current_ + 1);
    steps_.resize(current_);
    states_.push_back(state);
    steps_.push_back(std::move(step));
    if (steps_.size() > kMaxSteps) {
        states_.pop_front();
        steps_.pop_front();
    }
    current_ = steps_.size();
    return true;
}

std::optional<EditHistory::Move> EditHistory::Undo() {
    if (current_ == 0) {
        return std::nullopt;
    }
    --current_;
    return Move{states_[current_], steps_[current_]};
}

std::optional<EditHistory::Move> EditHistory::Redo() {
    if (current_ == steps_.size()) {
        return std::nullopt;
    }
    ++current_;
    return Move{states_[current_], steps_[current_ - 1]};
}

}  // namespace torvan
