#include "app/PrintCommands.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

#include "editor/CProgramView.h"

void PrintCommands::Print() {
    QPrintDialog dialog(&Printer(), parent_);
    dialog.setMinMax(1, 1);
    if (dialog.exec() == QDialog::Accepted) {
        view_.Print(Printer());
    }
}

void PrintCommands::Preview() {
    QPrintPreviewDialog dialog(&Printer(), parent_);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* printer) { view_.Print(*printer); });
    dialog.exec();
}

void PrintCommands::Setup() {
    QPageSetupDialog dialog(&Printer(), parent_);
    dialog.exec();
}

QPrinter& PrintCommands::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>();
        // The form is wider than high.
        printer_->setPageOrientation(QPageLayout::Landscape);
    }
    return *printer_;
}
