#include "app/ProgramCommands.h"

#include <QFile>
#include <QStatusBar>
#include <iostream>

#include "config/ReadCopy.h"
#include "dialogs/CPowerDlg.h"
#include "dialogs/CProgressDlg.h"
#include "editor/CProgramView.h"

using torvan::CloneDirection;

ProgramCommands::ProgramCommands(CProgramView& view, torvan::MemoryImage& image,
                                 const QString& portName, const torvan::PortResolver& ports,
                                 QStatusBar& status, QWidget* parent)
    : view_(view),
      image_(image),
      portName_(portName),
      ports_(ports),
      status_(status),
      parent_(parent) {}

// The panel's password reaches the image first: the radio's is compared
// with it.
void ProgramCommands::Read() {
    view_.EncodeImage();
    CProgressDlg dialog(CloneDirection::Read, image_, Device(), parent_);
    dialog.exec();
    if (dialog.Succeeded()) {
        KeepCopy();
        view_.DecodeImage();
    }
}

// The panel's frequency range reaches the band signature first: the
// radio's is compared with it.
void ProgramCommands::Write() {
    view_.EncodeImage();
    CProgressDlg dialog(CloneDirection::Write, image_, Device(), parent_);
    dialog.exec();
}

void ProgramCommands::Power() {
    CPowerDlg dialog(Device(), parent_);
    dialog.exec();
}

// The selected port, resolved as each command starts.
torvan::PortDevice ProgramCommands::Device() const {
    return ports_.Resolve(portName_.toStdString());
}

// A copy that cannot be kept is reported but does not undo the Read.
void ProgramCommands::KeepCopy() {
    const auto copy = torvan::KeepReadCopy(image_);
    if (copy.ok) {
        status_.showMessage(QStringLiteral("A copy of the read is kept in ") +
                            QFile::decodeName(copy.value.c_str()));
    } else {
        std::cerr << copy.error << '\n';
        status_.showMessage(QString::fromStdString(copy.error));
    }
}
