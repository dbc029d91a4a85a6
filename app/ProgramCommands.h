#pragma once

#include <QString>

#include "link/PortNames.h"
#include "model/MemoryImage.h"

class CProgramView;
class QStatusBar;
class QWidget;

// Program Read, Program Write and Edit Power: the radio commands of the
// window. A Read that fails leaves the image and the form as they were; one
// that succeeds shows the radio's memory and keeps a copy of it.
class ProgramCommands {
public:
    ProgramCommands(CProgramView& view, torvan::MemoryImage& image, const QString& portName,
                    const torvan::PortResolver& ports, QStatusBar& status, QWidget* parent);

    void Read();
    void Write();
    void Power();

private:
    void KeepCopy();
    torvan::PortDevice Device() const;

    CProgramView& view_;
    torvan::MemoryImage& image_;
    const QString& portName_;
    const torvan::PortResolver& ports_;
    QStatusBar& status_;
    QWidget* parent_;
};
