#include "app/CExitDlg.h"

#include "ui_CExitDlg.h"

namespace torvan {

CExitDlg::CExitDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CExitDlg>()) {
    ui_->setupUi(this);
}

CExitDlg::~CExitDlg() = default;

}  // namespace torvan
