#include "app/CAboutDlg.h"

#include <QIcon>

#include "ui_CAboutDlg.h"

namespace torvan {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CAboutDlg>()) {
    ui_->setupUi(this);
    ui_->iconLabel->setPixmap(QIcon(QStringLiteral(":/icons/app.svg")).pixmap(32, 32));
    ui_->versionLabel->setText(tr("Version %1").arg(QStringLiteral(TORVAN_VERSION)));
}

CAboutDlg::~CAboutDlg() = default;

}  // namespace torvan
