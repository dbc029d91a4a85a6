#include "app/Prompts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "app/CExitDlg.h"

#include "config/ProductName.h"

namespace torvan {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("Prompts", text);
}

QString Filter() {
    return Tr(QT_TRANSLATE_NOOP("Prompts", "Channel Data (*.sin)"));
}

QString AskOpenFileName(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, Tr(QT_TRANSLATE_NOOP("Prompts", "Open")), QString(),
        Filter() + QStringLiteral(";;") + Tr(QT_TRANSLATE_NOOP("Prompts", "All Files (*)")));
}

QString AskSaveFileName(QWidget* parent, const QString& suggested) {
    QFileDialog dialog(parent, Tr(QT_TRANSLATE_NOOP("Prompts", "Save As")), suggested, Filter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("sin"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void ShowFileError(QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, QString::fromUtf8(kProductName), message);
}

bool AskExit(QWidget* parent) {
    CExitDlg dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}

SaveChoice AskSaveChanges(QWidget* parent) {
    const auto answer = QMessageBox::warning(
        parent, parent->window()->windowTitle(),
        Tr(QT_TRANSLATE_NOOP(
            "Prompts", "The channel data has been changed.\nDo you want to save your changes?")),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    switch (answer) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:  // Cancel, Escape and the close box
            return SaveChoice::Cancel;
    }
}

}  // namespace

Prompts DefaultPrompts() {
    return {AskOpenFileName, AskSaveFileName, ShowFileError, AskExit, AskSaveChanges};
}

}  // namespace torvan
