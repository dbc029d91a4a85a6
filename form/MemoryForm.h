#pragma once

#include <array>
#include <string>

#include "form/FormControls.h"
#include "form/MemoryCellTable.h"
#include "form/MemoryChoiceList.h"

namespace torvan {

// The settings panel and channel grid held in memory, with the fixed lists
// filled as the form view fills them.
class MemoryForm final : public FormControls {
public:
    MemoryForm() { FillFixedLists(*this); }

    ChoiceList& List(Setting setting) override {
        return lists_.at(static_cast<std::size_t>(setting));
    }
    CellTable& Grid() override { return grid_; }
    std::string PasswordText() const override { return password_; }
    void SetPasswordText(const std::string& text) override { password_ = text; }

private:
    std::array<MemoryChoiceList, kSettingCount> lists_;
    MemoryCellTable grid_;
    std::string password_;
};

}  // namespace torvan
