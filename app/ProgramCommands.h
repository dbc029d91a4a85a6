#pragma once

#include <QCoreApplication>
#include <QString>

#include "link/PortNames.h"
#include "model/MemoryImage.h"

class QStatusBar;
class QWidget;

namespace torvan {

class CProgramView;

// Program Read, Program Write and Edit Power: the radio commands of the
// window. A Read that fails leaves the image and the form as they were; one
// that succeeds shows the radio's memory and keeps a copy of it.
class ProgramCommands {
    Q_DECLARE_TR_FUNCTIONS(ProgramCommands)

public:
    ProgramCommands(CProgramView& view, MemoryImage& image, const PortResolver& ports,
                    QStatusBar& status, QWidget* parent);

    // Each on the port chosen when the command starts; true when the Read
    // replaced the document.
    bool Read(const QString& portName);
    void Write(const QString& portName);
    void Power(const QString& portName);

private:
    void KeepCopy();
    PortDevice Device(const QString& portName) const;

    CProgramView& view_;
    MemoryImage& image_;
    const PortResolver& ports_;
    QStatusBar& status_;
    QWidget* parent_;
};

}  // namespace torvan
