#include "app/ProgramCommands.h"

#include <QStatusBar>
#include <QTime>
#include <iostream>

#include "config/ReadCopy.h"
#include "dialogs/CPowerDlg.h"
#include "dialogs/CProgressDlg.h"
#include "editor/CProgramView.h"
#include "model/SystemText.h"

namespace torvan {

ProgramCommands::ProgramCommands(CProgramView& view, MemoryImage& image, const PortResolver& ports,
                                 QStatusBar& status, QWidget* parent)
    : view_(view), image_(image), ports_(ports), status_(status), parent_(parent) {}

// The panel's password reaches the image first: the radio's is compared
// with it.
bool ProgramCommands::Read(const QString& portName) {
    view_.EncodeImage();
    CProgressDlg dialog(CloneDirection::Read, image_, Device(portName), parent_);
    dialog.exec();
    if (!dialog.Succeeded()) {
        return false;
    }
    KeepCopy();
    view_.DecodeImage();
    return true;
}

// The panel's frequency range reaches the band signature first: the
// radio's is compared with it. The dialog closes by itself at the end, so the
// status bar says when a write has completed; after any other end no older
// message may pass for this write's.
void ProgramCommands::Write(const QString& portName) {
    view_.EncodeImage();
    CProgressDlg dialog(CloneDirection::Write, image_, Device(portName), parent_);
    dialog.exec();
    if (dialog.Succeeded()) {
        status_.showMessage(tr("Write data: done at %1")
                                .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    } else {
        status_.clearMessage();
    }
}

void ProgramCommands::Power(const QString& portName) {
    CPowerDlg dialog(Device(portName), parent_);
    dialog.exec();
}

// The selected port, resolved as each command starts.
PortDevice ProgramCommands::Device(const QString& portName) const {
    return ports_.Resolve(portName.toStdString());
}

// A copy that cannot be kept is reported but does not undo the Read.
void ProgramCommands::KeepCopy() {
    const auto copy = KeepReadCopy(image_);
    if (copy.ok) {
        status_.showMessage(tr("A copy of the read is kept in %1")
                                .arg(QString::fromStdString(Utf8FromPath(copy.value))));
    } else {
        std::cerr << copy.error << '\n';
        status_.showMessage(QString::fromStdString(copy.error));
    }
}

}  // namespace torvan
