#include "dialogs/CRadioDlg.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "editor/CMSFlexGrid.h"
#include "editor/FilterValidator.h"
#include "editor/InPlaceEditing.h"
#include "form/BroadcastPresets.h"

namespace torvan {

namespace {

constexpr int kFrequencyCol = 1;
constexpr int kNumberWidthTwips = 500;
constexpr int kFrequencyWidthTwips = 2000;

}  // namespace

CRadioDlg::CRadioDlg(MemoryImage& image, QWidget* parent)
    : QDialog(parent), image_(image), grid_(new CMSFlexGrid(this)) {
    setWindowTitle(tr("Radio"));
    grid_->setObjectName(QStringLiteral("presetGrid"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(grid_);
    editor_ = new QLineEdit(grid_->viewport());
    editor_->setObjectName(QStringLiteral("presetEditor"));
    editor_->setContextMenuPolicy(Qt::NoContextMenu);
    editor_->setValidator(new FilterValidator(std::string(kPresetCharacters),
                                              static_cast<int>(kPresetTextLength), false, editor_));
    editing_ = std::make_unique<InPlaceEditing>(
        *grid_,
        InPlaceEditing::Hooks{[this] { BeginCellEdit(); },
                              [this](QWidget&, int row, int col) {
                                  grid_->SetTextMatrix(row, col,
                                                       QString::fromStdString(CommittedPresetText(
                                                           editor_->text().toStdString())));
                              },
                              [this](QWidget&, QEvent& event) { return OnEditorEvent(event); }});
    editing_->AddEditor(*editor_);
    LayOutGrid();
}

CRadioDlg::~CRadioDlg() = default;

void CRadioDlg::done(int result) {
    editing_->CommitOpenEditor();
    std::vector<std::string> texts;
    for (int preset = 1; preset <= kBroadcastPresetCount; ++preset) {
        texts.push_back(grid_->TextMatrix(preset, kFrequencyCol).toStdString());
    }
    StorePresets(image_, texts);
    QDialog::done(result);
}

// Escape on the grid keeps the dialog open; in the editor and through the
// close box it closes it (and the table is stored).
void CRadioDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && grid_->hasFocus()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CRadioDlg::LayOutGrid() {
    grid_->SetRows(kBroadcastPresetCount + 1);
    grid_->SetCols(2);
    grid_->SetTextMatrix(0, kFrequencyCol, tr("Frequency"));
    for (int preset = 1; preset <= kBroadcastPresetCount; ++preset) {
        grid_->SetTextMatrix(preset, 0, QString::number(preset));
        grid_->SetTextMatrix(preset, kFrequencyCol,
                             QString::fromStdString(PresetText(image_, preset)));
    }
    for (const int col : {0, kFrequencyCol}) {
        grid_->SetColAlignment(col, CMSFlexGrid::CellAlignment::CenterCenter);
    }
    grid_->SetColWidth(0, kNumberWidthTwips);
    grid_->SetColWidth(kFrequencyCol, kFrequencyWidthTwips);
    grid_->setFixedSize(grid_->sizeHint());
    // Editing starts on the first preset, and the keys move on from there.
    grid_->SetRow(1);
    grid_->SetCol(kFrequencyCol);
}

void CRadioDlg::BeginCellEdit() {
    const int row = grid_->Row();
    if (grid_->Col() != kFrequencyCol) {
        return;
    }
    editor_->setText(grid_->TextMatrix(row, kFrequencyCol));
    editing_->ShowOverCell(*editor_, row, kFrequencyCol);
    editor_->selectAll();
}

bool CRadioDlg::OnEditorEvent(QEvent& event) {
    if (event.type() != QEvent::KeyPress) {
        return false;
    }
    switch (static_cast<QKeyEvent&>(event).key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // After clearing a preset, straight down; else on to the next row.
            editing_->LeaveEditor(editor_->text().isEmpty() ? Qt::Key_Down : Qt::Key_Right);
            return true;
        case Qt::Key_Escape:
            reject();
            return true;
        default:
            return false;
    }
}

}  // namespace torvan
