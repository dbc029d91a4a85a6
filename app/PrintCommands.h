#pragma once

#include <QCoreApplication>
#include <QPrinter>
#include <memory>

#include "app/Prompts.h"
#include "print/PlanText.h"

class QWidget;

namespace torvan {

class CProgramDoc;
class CProgramView;

// File Print, Print Preview and Print Setup: the channel plan of what the
// form shows, on the printer chosen last, on as many pages as it needs.
class PrintCommands {
    Q_DECLARE_TR_FUNCTIONS(PrintCommands)

public:
    PrintCommands(const CProgramDoc& doc, CProgramView& view, Prompts prompts, QWidget* parent)
        : doc_(doc), view_(view), prompts_(std::move(prompts)), parent_(parent) {}

    void Print();
    void Preview();
    void Setup();
    // The form as it stands, unsaved edits included, as the plan prints it.
    PlanText Plan() const;

private:
    QPrinter& Printer();
    void ForgetPageRange();
    void PrintOn(QPrinter& printer) const;

    const CProgramDoc& doc_;
    CProgramView& view_;
    Prompts prompts_;
    QWidget* parent_;
    // Made on first use: looking for printers can take a moment.
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace torvan
