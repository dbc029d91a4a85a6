#pragma once

#include <QComboBox>

#include "form/ChoiceList.h"

namespace torvan {

// A drop-down list of the form as the image codecs see it. Changes made
// through this interface send no change signals, so only the user's own picks
// reach the form's selection handlers. The list is never narrower than its
// longest entry, however little room the window has.
class ComboChoiceList final : public ChoiceList {
public:
    explicit ComboChoiceList(QComboBox* combo);

    void Reset() override;
    void Add(const std::string& text) override;
    int Count() const override;
    std::string EntryText(int position) const override;
    void Select(int position) override;
    int Selected() const override;

    QComboBox* Combo() const { return combo_; }

private:
    void FitLongestEntry();

    QComboBox* combo_;
};

}  // namespace torvan
