#include "editor/ComboChoiceList.h"

#include <QSignalBlocker>

namespace torvan {

void ComboChoiceList::Reset() {
    const QSignalBlocker blocker(combo_);
    combo_->clear();
}

void ComboChoiceList::Add(const std::string& text) {
    const QSignalBlocker blocker(combo_);
    const int selected = combo_->currentIndex();
    combo_->addItem(QString::fromStdString(text));
    // A combo box selects the first item added to it; a list starts with none.
    combo_->setCurrentIndex(selected);
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
