#include "editor/ComboChoiceList.h"

#include <QSignalBlocker>

namespace torvan {

ComboChoiceList::ComboChoiceList(QComboBox* combo) : combo_(combo) {
    // The size hint then follows the entries whenever they change.
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

void ComboChoiceList::Reset() {
    const QSignalBlocker blocker(combo_);
    combo_->clear();
    FitLongestEntry();
}

void ComboChoiceList::Add(const std::string& text) {
    const QSignalBlocker blocker(combo_);
    const int selected = combo_->currentIndex();
    combo_->addItem(QString::fromStdString(text));
    // A combo box selects the first item added to it; a list starts with none.
    combo_->setCurrentIndex(selected);
    FitLongestEntry();
}

// A combo box keeps the smallest width it computed first, when it was still
// empty, so a narrow window would cut its entries ("240 phase shif"). Its
// size hint measures every entry in its own font and style, at any scale.
void ComboChoiceList::FitLongestEntry() {
    combo_->ensurePolished();
    combo_->setMinimumWidth(combo_->sizeHint().width());
}

int ComboChoiceList::Count() const {
    return combo_->count();
}

std::string ComboChoiceList::EntryText(int position) const {
    return combo_->itemText(position).toStdString();
}

void ComboChoiceList::Select(int position) {
    const QSignalBlocker blocker(combo_);
    combo_->setCurrentIndex(position >= 0 && position < Count() ? position : kNone);
}

int ComboChoiceList::Selected() const {
    return combo_->currentIndex();
}

}  // namespace torvan
