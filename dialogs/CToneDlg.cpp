#include "dialogs/CToneDlg.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QScrollBar>

#include "editor/CMSFlexGrid.h"
#include "ui_CToneDlg.h"

namespace torvan {

namespace {

constexpr int kRows = 15;
constexpr int kCols = 7;
constexpr int kColWidthTwips = 900;
constexpr std::uint32_t kBackColor = 0xFFC0FF;

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CToneDlg::CToneDlg(const QString& cellText, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CToneDlg>()),
      modes_(new QButtonGroup(this)),
      resultText_(cellText) {
    ui_->setupUi(this);
    modes_->addButton(ui_->noneButton, static_cast<int>(ToneMode::None));
    modes_->addButton(ui_->ctcssButton, static_cast<int>(ToneMode::Ctcss));
    modes_->addButton(ui_->cdcssnButton, static_cast<int>(ToneMode::CdcssNormal));
    modes_->addButton(ui_->cdcssiButton, static_cast<int>(ToneMode::CdcssInverted));
    LayOutGrid();
    const ToneSelection opened = ParseToneSelection(cellText.toStdString());
    mode_ = opened.mode;
    modes_->button(static_cast<int>(mode_))->setChecked(true);
    FillGrid();
    Preselect(opened.value);
    connect(modes_, &QButtonGroup::idClicked, this, &CToneDlg::OnModeClicked);
    // Whatever button goes down: the grid has moved to the cell under it.
    connect(ui_->valueGrid, &CMSFlexGrid::MouseDown, this, [this] {
        CMSFlexGrid& grid = ValueGrid();
        // Space beyond the last cells picks nothing.
        if (grid.MouseRow() == grid.Row() && grid.MouseCol() == grid.Col() && PickCurrentCell()) {
            accept();
        }
    });
    connect(ui_->valueGrid, &CMSFlexGrid::KeyPress, this, [this](qint16& key) {
        if (key == '\r') {
            PickCurrentCell();
            key = 0;
            accept();
        }
    });
}

CToneDlg::~CToneDlg() = default;

CMSFlexGrid& CToneDlg::ValueGrid() const {
    return *ui_->valueGrid;
}

// Enter anywhere else is the dialog's OK, with the text it has.
void CToneDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CToneDlg::LayOutGrid() {
    CMSFlexGrid& grid = ValueGrid();
    grid.SetRows(kRows);
    grid.SetCols(kCols);
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    for (int col = 0; col < kCols; ++col) {
        grid.SetColAlignment(col, CMSFlexGrid::CellAlignment::CenterCenter);
        grid.SetColWidth(col, kColWidthTwips);
    }
    grid.SetBackColor(kBackColor);
    // Every cell is in view, so no room is kept for scroll bars.
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setFixedSize(grid.sizeHint() - QSize(grid.verticalScrollBar()->sizeHint().width(), 0));
    // The dialog keeps its size when "None" hides the grid.
    QSizePolicy policy = grid.sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    grid.setSizePolicy(policy);
}

void CToneDlg::FillGrid() {
    CMSFlexGrid& grid = ValueGrid();
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            grid.SetTextMatrix(row, col, QString());
        }
    }
    const auto entries = ToneEntries(mode_);
    grid.setVisible(!entries.empty());
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const int entry = static_cast<int>(e);
        grid.SetTextMatrix(entry % kRows, entry / kRows, FromView(entries[e]));
    }
    if (!entries.empty()) {
        grid.setFocus();
    }
}

// A tone the table does not hold gets no cell: Enter would otherwise put the
// first value in its place unseen.
void CToneDlg::Preselect(const std::string& value) {
    if (const auto entry = FindToneEntry(mode_, value)) {
        ValueGrid().SetRow(*entry % kRows);
        ValueGrid().SetCol(*entry / kRows);
    } else {
        ValueGrid().setCurrentIndex(QModelIndex());
    }
}

void CToneDlg::OnModeClicked(int mode) {
    mode_ = static_cast<ToneMode>(mode);
    if (mode_ == ToneMode::None) {
        resultText_ = QStringLiteral("None");
        accept();
        return;
    }
    FillGrid();
    ValueGrid().SetRow(0);
    ValueGrid().SetCol(0);
}

// Builds the result from the current cell when it holds a list entry.
bool CToneDlg::PickCurrentCell() {
    const CMSFlexGrid& grid = ValueGrid();
    if (!grid.currentIndex().isValid()) {
        return false;
    }
    const int entry = grid.Col() * kRows + grid.Row();
    if (entry >= static_cast<int>(ToneEntries(mode_).size())) {
        return false;
    }
    resultText_ = QString::fromStdString(ToneResultText(mode_, grid.Text().toStdString()));
    return true;
}

std::optional<QString> PickTone(const QString& cellText, QWidget* parent) {
    CToneDlg dialog(cellText, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.ResultText();
}

}  // namespace torvan
