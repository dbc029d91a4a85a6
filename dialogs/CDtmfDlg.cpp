#include "dialogs/CDtmfDlg.h"

#include "editor/FilterValidator.h"
#include "editor/WheelNeedsFocus.h"
#include "form/DtmfSettings.h"
#include "ui_CDtmfDlg.h"

namespace torvan {

namespace {

constexpr int kOn = 0;
constexpr int kOff = 1;

void FillOnOff(QComboBox& list, bool on) {
    list.clear();
    list.addItems({CDtmfDlg::tr("On"), CDtmfDlg::tr("Off")});
    list.setCurrentIndex(on ? kOn : kOff);
    WheelNeedsFocus(list);
}

}  // namespace

CDtmfDlg::CDtmfDlg(MemoryImage& image, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CDtmfDlg>()), image_(image) {
    ui_->setupUi(this);
    // Only DTMF characters get in, letters upper-cased, however they come.
    ui_->pttIdEdit->setValidator(new FilterValidator(
        std::string(kDtmfCharacters), static_cast<int>(kPttIdLength), true, ui_->pttIdEdit));
    const DtmfSettings settings = ReadDtmfSettings(image_);
    FillOnOff(*ui_->rxSideToneList, settings.rxSideTone);
    FillOnOff(*ui_->txSideToneList, settings.txSideTone);
    ui_->pttIdEdit->setText(QString::fromStdString(settings.pttId).toUpper());
}

CDtmfDlg::~CDtmfDlg() = default;

void CDtmfDlg::accept() {
    StoreDtmfSettings(
        image_, {ui_->txSideToneList->currentIndex() == kOn,
                 ui_->rxSideToneList->currentIndex() == kOn, ui_->pttIdEdit->text().toStdString()});
    QDialog::accept();
}

}  // namespace torvan
