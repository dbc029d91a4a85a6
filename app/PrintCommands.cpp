#include "app/PrintCommands.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>

#include "editor/CProgramView.h"

namespace torvan {

namespace {

// Of the screen's free area, for the preview window.
constexpr double kPreviewShare = 0.85;

}  // namespace

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
    // Left to itself the dialog opens as a strip too small to read the page.
    const QRect screen = dialog.screen()->availableGeometry();
    dialog.resize(screen.size() * kPreviewShare);
    if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
        preview->setZoomMode(QPrintPreviewWidget::FitInView);
    }
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

}  // namespace torvan
