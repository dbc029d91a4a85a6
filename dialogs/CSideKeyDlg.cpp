#include "dialogs/CSideKeyDlg.h"

#include "editor/WheelNeedsFocus.h"
#include "ui_CSideKeyDlg.h"

CSideKeyDlg::CSideKeyDlg(torvan::MemoryImage& image, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CSideKeyDlg>()), image_(image) {
    ui_->setupUi(this);
    lists_ = {ui_->key1ShortList, ui_->key1LongList, ui_->key2ShortList, ui_->key2LongList};
    const torvan::SideKeyCodes codes = torvan::ReadSideKeyCodes(image_);
    for (std::size_t action = 0; action < lists_.size(); ++action) {
        QComboBox& list = *lists_[action];
        for (const std::string_view name : torvan::OfferedSideKeyFunctions()) {
            list.addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        }
        // A function this list does not offer shows as an empty field.
        list.setCurrentIndex(torvan::OfferedSideKeyPosition(codes[action]));
        WheelNeedsFocus(list);
    }
}

CSideKeyDlg::~CSideKeyDlg() = default;

QComboBox& CSideKeyDlg::List(std::size_t action) const {
    return *lists_.at(action);
}

void CSideKeyDlg::accept() {
    torvan::SideKeyNames shown;
    for (std::size_t action = 0; action < lists_.size(); ++action) {
        shown[action] = lists_[action]->currentText().toStdString();
    }
    torvan::StoreSideKeys(image_, shown);
    QDialog::accept();
}
