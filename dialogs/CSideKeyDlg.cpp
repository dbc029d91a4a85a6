#include "dialogs/CSideKeyDlg.h"

#include "editor/WheelNeedsFocus.h"
#include "ui_CSideKeyDlg.h"

namespace torvan {

CSideKeyDlg::CSideKeyDlg(MemoryImage& image, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CSideKeyDlg>()), image_(image) {
    ui_->setupUi(this);
    lists_ = {ui_->key1ShortList, ui_->key1LongList, ui_->key2ShortList, ui_->key2LongList};
    const SideKeyCodes codes = ReadSideKeyCodes(image_);
    for (std::size_t action = 0; action < lists_.size(); ++action) {
        QComboBox& list = *lists_[action];
        for (const std::string_view name : OfferedSideKeyFunctions()) {
            list.addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        }
        // A function this list does not offer shows as an empty field.
        list.setCurrentIndex(OfferedSideKeyPosition(codes[action]));
        WheelNeedsFocus(list);
    }
}

CSideKeyDlg::~CSideKeyDlg() = default;

void CSideKeyDlg::accept() {
    SideKeyNames shown;
    for (std::size_t action = 0; action < lists_.size(); ++action) {
        shown[action] = lists_[action]->currentText().toStdString();
    }
    StoreSideKeys(image_, shown);
    QDialog::accept();
}

}  // namespace torvan
