#include "app/PrintCommands.h"

#include <QDate>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>

#include "app/CProgramDoc.h"
#include "editor/CProgramView.h"
#include "model/SystemText.h"
#include "print/PlanPrint.h"

namespace torvan {

namespace {

// Of the screen's free area, for the preview window.
constexpr double kPreviewShare = 0.85;
// Unless Print Setup says otherwise: room for a printer's unprintable edge.
constexpr double kMarginMm = 15;

}  // namespace

PlanText PrintCommands::Plan() const {
    const std::filesystem::path& path = doc_.Path();
    return ReadPlanText(view_.ShownImage(), view_.ReadModels(),
                        path.empty() ? tr("Untitled").toStdString() : Utf8FromPath(path.filename()),
                        QDate::currentDate().toString(Qt::ISODate).toStdString());
}

void PrintCommands::PrintOn(QPrinter& printer) const {
    const ResultOf<int> printed = PrintPlan(Plan(), printer);
    if (!printed.ok) {
        prompts_.fileError(parent_,
                           tr("Cannot print: %1").arg(QString::fromStdString(printed.error)));
    }
}

// Each Print starts from all pages: a range chosen for one print is no
// choice for the next document.
void PrintCommands::Print() {
    ForgetPageRange();
    QPrintDialog dialog(&Printer(), parent_);
    if (dialog.exec() == QDialog::Accepted) {
        PrintOn(Printer());
    }
}

void PrintCommands::Preview() {
    // Pages chosen for the last print are no reason to hide the others.
    ForgetPageRange();
    QPrintPreviewDialog dialog(&Printer(), parent_);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* printer) { PrintOn(*printer); });
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

void PrintCommands::ForgetPageRange() {
    Printer().setPrintRange(QPrinter::AllPages);
    Printer().setPageRanges({});
}

QPrinter& PrintCommands::Printer() {
    if (!printer_) {
        // Text is measured at the printer's resolution; at the screen's, the
        // rounding of glyph widths would wrap a full cell on the page.
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The channel table reads best on upright pages.
        printer_->setPageOrientation(QPageLayout::Portrait);
        printer_->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                 QPageLayout::Millimeter);
    }
    return *printer_;
}

}  // namespace torvan
