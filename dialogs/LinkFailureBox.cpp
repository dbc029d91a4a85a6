#include "dialogs/LinkFailureBox.h"

#include <QMessageBox>

#include "link/PortHint.h"

namespace torvan {

namespace {

void AddLine(std::string& text, const std::string& line) {
    if (!line.empty()) {
        text += (text.empty() ? "" : "\n") + line;
    }
}

}  // namespace

std::unique_ptr<QMessageBox> MakeLinkFailureBox(QWidget* parent, const QString& message,
                                                const std::string& reason,
                                                const std::string& aftermath) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, kLinkBoxTitle, message,
                                             QMessageBox::Ok, parent);
    std::string details = reason;
    if (!reason.empty()) {
        AddLine(details, PortFailureHint(reason));
    }
    AddLine(details, aftermath);
    if (!details.empty()) {
        box->setInformativeText(QString::fromStdString(details));
    }
    return box;
}

void ShowLinkFailure(QWidget* parent, const QString& message, const std::string& reason,
                     const std::string& aftermath) {
    MakeLinkFailureBox(parent, message, reason, aftermath)->exec();
}

}  // namespace torvan
