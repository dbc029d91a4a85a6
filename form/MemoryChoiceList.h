#pragma once

#include <string>
#include <vector>

#include "form/ChoiceList.h"

namespace torvan {

// A ChoiceList held in memory, for tests and the command-line tool.
class MemoryChoiceList final : public ChoiceList {
public:
    void Reset() override {
        entries_.clear();
        selected_ = kNone;
    }
    void Add(const std::string& text) override { entries_.push_back(text); }
    int Count() const override { return static_cast<int>(entries_.size()); }
    std::string EntryText(int position) const override {
        return entries_.at(static_cast<std::size_t>(position));
    }
    void Select(int position) override {
        selected_ = position >= 0 && position < Count() ? position : kNone;
    }
    int Selected() const override { return selected_; }

private:
    std::vector<std::string> entries_;
    int selected_ = kNone;
};

}  // namespace torvan
