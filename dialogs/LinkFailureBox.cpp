#include "dialogs/LinkFailureBox.h"

#include <QMessageBox>

#include "link/PortHint.h"

namespace torvan {

std::unique_ptr<QMessageBox> MakeLinkFailureBox(QWidget* parent, const QString& message,
                                                const std::string& reason) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, kLinkBoxTitle, message,
                                             QMessageBox::Ok, parent);
    if (!reason.empty()) {
        const std::string hint = PortFailureHint(reason);
        box->setInformativeText(
            QString::fromStdString(hint.empty() ? reason : reason + "\n" + hint));
    }
    return box;
}

void ShowLinkFailure(QWidget* parent, const QString& message, const std::string& reason) {
    MakeLinkFailureBox(parent, message, reason)->exec();
}

}  // namespace torvan
