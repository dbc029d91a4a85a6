#pragma once

#include <QPrinter>
#include <memory>

class QWidget;

namespace torvan {

class CProgramView;

// File Print, Print Preview and Print Setup: a one-page print of the form on
// the printer chosen last.
class PrintCommands {
public:
    PrintCommands(CProgramView& view, QWidget* parent) : view_(view), parent_(parent) {}

    void Print();
    void Preview();
    void Setup();

private:
    QPrinter& Printer();

    CProgramView& view_;
    QWidget* parent_;
    // Made on first use: looking for printers can take a moment.
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace torvan
