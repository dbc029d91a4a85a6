#include "editor/CMSFlexGrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <algorithm>
#include <functional>

namespace torvan {

namespace {

constexpr int kSizeHintRows = 16;

// A header that reports mouse positions to the grid, and presses only after
// it has moved the current cell, as the grid's MouseDown promises.
class FlexHeader final : public QHeaderView {
public:
    using Hook = std::function<void(const QWidget*, const QMouseEvent*, bool pressed)>;

    FlexHeader(Qt::Orientation orientation, QWidget* parent, Hook hook)
        : QHeaderView(orientation, parent), hook_(std::move(hook)) {
        setSectionResizeMode(QHeaderView::Fixed);
        setHighlightSections(false);
        setSectionsClickable(true);
        setDefaultAlignment(Qt::AlignCenter);
        setMouseTracking(true);
        viewport()->setMouseTracking(true);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        hook_(viewport(), event, false);
        QHeaderView::mousePressEvent(event);
        hook_(viewport(), event, true);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        hook_(viewport(), event, false);
        QHeaderView::mouseMoveEvent(event);
    }

private:
    Hook hook_;
};

QColor FromOle(std::uint32_t ole) {
    return QColor(static_cast<int>(ole & 0xFFU), static_cast<int>((ole >> 8) & 0xFFU),
                  static_cast<int>((ole >> 16) & 0xFFU));
}

std::uint32_t ToOle(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

qint16 ButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

qint16 ShiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) {
        code |= 1;
    }
    if (modifiers & Qt::ControlModifier) {
        code |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        code |= 4;
    }
    return static_cast<qint16>(code);
}

}  // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableWidget(parent) {
    const FlexHeader::Hook hook = [this](const QWidget* from, const QMouseEvent* event,
                                         bool pressed) {
        TrackMouse(from, event->position().toPoint());
        if (pressed) {
            OnMousePressed(from, event);
        }
    };
    setHorizontalHeader(new FlexHeader(Qt::Horizontal, this, hook));
    setVerticalHeader(new FlexHeader(Qt::Vertical, this, hook));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    QTableView::setWordWrap(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    viewport()->setMouseTracking(true);
    corner_ = findChild<QAbstractButton*>();
    if (corner_ != nullptr) {
        corner_->setMouseTracking(true);
        corner_->installEventFilter(this);
    }
    fixedColWidthPx_ = DefaultColumnWidthPx();
    fixedRowHeightPx_ = DefaultRowHeightPx();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fixedRowHeightPx_);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(fixedColWidthPx_);
    basePalette_ = palette();
    backColor_ = ToOle(basePalette_.color(QPalette::Active, QPalette::Base));
    SetRows(2);
    SetCols(2);
    ApplyFixedLayout();
    ApplyPalette();
}

int CMSFlexGrid::Rows() const {
    return rowCount() + fixedRows_;
}

void CMSFlexGrid::SetRows(int rows) {
    const int first = rowCount();
    setRowCount(std::max(rows, fixedRows_) - fixedRows_);
    for (int i = first; i < rowCount(); ++i) {
        setVerticalHeaderItem(i, new QTableWidgetItem(QString()));
    }
}

int CMSFlexGrid::Cols() const {
    return columnCount() + fixedCols_;
}

void CMSFlexGrid::SetCols(int cols) {
    const int first = columnCount();
    setColumnCount(std::max(cols, fixedCols_) - fixedCols_);
    for (int i = first; i < columnCount(); ++i) {
        setHorizontalHeaderItem(i, new QTableWidgetItem(QString()));
    }
    colAlignment_.resize(static_cast<std::size_t>(Cols()), CellAlignment::General);
}

void CMSFlexGrid::SetFixedRows(int fixedRows) {
    if (fixedRows == fixedRows_) {
        return;
    }
    const int rows = Rows();
    const int cols = Cols();
    const auto texts = AllTexts();
    clearContents();
    setRowCount(0);
    fixedRows_ = std::clamp(fixedRows, 0, std::min(1, rows));
    SetRows(rows);
    ApplyFixedLayout();
    RestoreTexts(texts, rows, cols);
}

void CMSFlexGrid::SetFixedCols(int fixedCols) {
    if (fixedCols == fixedCols_) {
        return;
    }
    const int rows = Rows();
    const int cols = Cols();
    const auto texts = AllTexts();
    clearContents();
    setColumnCount(0);
    fixedCols_ = std::clamp(fixedCols, 0, std::min(1, cols));
    SetCols(cols);
    ApplyFixedLayout();
    RestoreTexts(texts, rows, cols);
}

int CMSFlexGrid::Row() const {
    const int row = currentRow();
    return (row < 0 ? 0 : row) + fixedRows_;
}

void CMSFlexGrid::SetRow(int row) {
    if (row < fixedRows_ || row >= Rows() || columnCount() == 0) {
        return;
    }
    setCurrentCell(row - fixedRows_, Col() - fixedCols_);
}

int CMSFlexGrid::Col() const {
    const int col = currentColumn();
    return (col < 0 ? 0 : col) + fixedCols_;
}

void CMSFlexGrid::SetCol(int col) {
    if (col < fixedCols_ || col >= Cols() || rowCount() == 0) {
        return;
    }
    setCurrentCell(Row() - fixedRows_, col - fixedCols_);
}

QString CMSFlexGrid::Text() const {
    return TextMatrix(Row(), Col());
}

QString CMSFlexGrid::TextMatrix(int row, int col) const {
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) {
        return {};
    }
    const bool fixedRow = row < fixedRows_;
    const bool fixedCol = col < fixedCols_;
    const QTableWidgetItem* cell = nullptr;
    if (fixedRow && fixedCol) {
        return cornerText_;
    }
    if (fixedRow) {
        cell = horizontalHeaderItem(col - fixedCols_);
    } else if (fixedCol) {
        cell = verticalHeaderItem(row - fixedRows_);
    } else {
        cell = item(row - fixedRows_, col - fixedCols_);
    }
    return cell != nullptr ? cell->text() : QString();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) {
        return;
    }
    const bool fixedRow = row < fixedRows_;
    const bool fixedCol = col < fixedCols_;
    if (fixedRow && fixedCol) {
        cornerText_ = text;
        if (corner_ != nullptr) {
            corner_->update();
        }
    } else if (fixedRow) {
        horizontalHeaderItem(col - fixedCols_)->setText(text);
    } else if (fixedCol) {
        verticalHeaderItem(row - fixedRows_)->setText(text);
    } else if (QTableWidgetItem* cell = ItemAt(row, col, !text.isEmpty())) {
        cell->setText(text);
    }
}

int CMSFlexGrid::ColWidth(int col) const {
    if (col < 0 || col >= Cols()) {
        return 0;
    }
    const int px = col < fixedCols_ ? fixedColWidthPx_ : columnWidth(col - fixedCols_);
    return px * TwipsPerPixelX();
}

void CMSFlexGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= Cols()) {
        return;
    }
    const int px = twips < 0 ? DefaultColumnWidthPx() : twips / TwipsPerPixelX();
    if (col < fixedCols_) {
        fixedColWidthPx_ = px;
        ApplyFixedLayout();
    } else {
        setColumnWidth(col - fixedCols_, px);
    }
}

void CMSFlexGrid::SetColAlignment(int col, CellAlignment alignment) {
    if (col < 0 || col >= Cols()) {
        return;
    }
    colAlignment_.at(static_cast<std::size_t>(col)) = alignment;
    if (col < fixedCols_) {
        return;
    }
    for (int row = 0; row < rowCount(); ++row) {
        if (QTableWidgetItem* cell = item(row, col - fixedCols_)) {
            cell->setTextAlignment(AlignmentOf(col));
        }
    }
}

void CMSFlexGrid::SetSelectionMode(GridSelection /*mode*/) {
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
}

void CMSFlexGrid::SetWordWrap(bool wrap) {
    QTableView::setWordWrap(wrap);
}

void CMSFlexGrid::SetHighLight(HighLightMode mode) {
    highLight_ = mode;
    ApplyPalette();
}

void CMSFlexGrid::SetBackColor(std::uint32_t oleColor) {
    backColor_ = oleColor & 0xFFFFFFU;
    ApplyPalette();
}

QRect CMSFlexGrid::CellRect(int row, int col) const {
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) {
        return {};
    }
    const QPoint origin = ViewportOrigin();
    const int x = col < fixedCols_ ? 0 : origin.x() + columnViewportPosition(col - fixedCols_);
    const int y = row < fixedRows_ ? 0 : origin.y() + rowViewportPosition(row - fixedRows_);
    const int w = col < fixedCols_ ? fixedColWidthPx_ : columnWidth(col - fixedCols_);
    const int h = row < fixedRows_ ? fixedRowHeightPx_ : rowHeight(row - fixedRows_);
    return QRect(contentsRect().topLeft() + QPoint(x, y), QSize(w, h));
}

void CMSFlexGrid::ScrollPage(bool down) {
    verticalScrollBar()->triggerAction(down ? QAbstractSlider::SliderPageStepAdd
                                            : QAbstractSlider::SliderPageStepSub);
}

int CMSFlexGrid::TwipsPerPixelX() const {
    return std::max(1, 1440 / std::max(1, logicalDpiX()));
}

QSize CMSFlexGrid::sizeHint() const {
    const QPoint origin = ViewportOrigin();
    int width = origin.x() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    for (int col = 0; col < columnCount(); ++col) {
        width += columnWidth(col);
    }
    int height = origin.y() + 2 * frameWidth();
    for (int row = 0; row < std::min(rowCount(), kSizeHintRows); ++row) {
        height += rowHeight(row);
    }
    return {width, height};
}

// Typing selects nothing here: the host decides what a key means.
void CMSFlexGrid::keyboardSearch(const QString& /*search*/) {}

void CMSFlexGrid::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() == 1) {
        auto code = static_cast<qint16>(text.at(0).unicode());
        emit KeyPress(code);
        if (code == 0) {
            event->accept();
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
    TrackMouse(viewport(), event->position().toPoint());
    QTableWidget::mousePressEvent(event);
    OnMousePressed(viewport(), event);
}

void CMSFlexGrid::mouseMoveEvent(QMouseEvent* event) {
    TrackMouse(viewport(), event->position().toPoint());
    QTableWidget::mouseMoveEvent(event);
}

void CMSFlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    if (current.isValid() &&
        (current.row() != previous.row() || current.column() != previous.column())) {
        emit EnterCell();
    }
}

bool CMSFlexGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner_ || corner_ == nullptr) {
        return QTableWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::Paint:
            return PaintCorner();
        case QEvent::MouseMove:
            TrackMouse(corner_, static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::MouseButtonPress: {
            const auto* press = static_cast<QMouseEvent*>(event);
            TrackMouse(corner_, press->position().toPoint());
            OnMousePressed(corner_, press);
            break;
        }
        default:
            break;
    }
    return QTableWidget::eventFilter(watched, event);
}

// Room for ten digits and the cell margins, as the grid's font draws them.
int CMSFlexGrid::DefaultColumnWidthPx() const {
    return fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12;
}

int CMSFlexGrid::DefaultRowHeightPx() const {
    return fontMetrics().height() + 6;
}

QPoint CMSFlexGrid::ViewportOrigin() const {
    return {fixedCols_ > 0 ? fixedColWidthPx_ : 0, fixedRows_ > 0 ? fixedRowHeightPx_ : 0};
}

QPoint CMSFlexGrid::ToClient(const QWidget* from, QPoint position) const {
    return from->mapTo(this, position) - contentsRect().topLeft();
}

CMSFlexGrid::Cell CMSFlexGrid::CellAtClient(QPoint client) const {
    const QPoint origin = ViewportOrigin();
    Cell cell;
    if (fixedRows_ > 0 && client.y() < origin.y()) {
        cell.row = 0;
    } else if (const int row = rowAt(client.y() - origin.y()); row >= 0) {
        cell.row = row + fixedRows_;
    }
    if (fixedCols_ > 0 && client.x() < origin.x()) {
        cell.col = 0;
    } else if (const int col = columnAt(client.x() - origin.x()); col >= 0) {
        cell.col = col + fixedCols_;
    }
    return cell;
}

void CMSFlexGrid::TrackMouse(const QWidget* from, QPoint position) {
    const Cell cell = CellAtClient(ToClient(from, position));
    mouseRow_ = cell.row;
    mouseCol_ = cell.col;
}

void CMSFlexGrid::OnMousePressed(const QWidget* from, const QMouseEvent* event) {
    const QPoint client = ToClient(from, event->position().toPoint());
    emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), client.x(),
                   client.y());
}

QTableWidgetItem* CMSFlexGrid::ItemAt(int row, int col, bool create) {
    const int r = row - fixedRows_;
    const int c = col - fixedCols_;
    QTableWidgetItem* cell = item(r, c);
    if (cell == nullptr && create) {
        cell = new QTableWidgetItem();
        cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        cell->setTextAlignment(AlignmentOf(col));
        setItem(r, c, cell);
    }
    return cell;
}

Qt::Alignment CMSFlexGrid::AlignmentOf(int col) const {
    return colAlignment_.at(static_cast<std::size_t>(col)) == CellAlignment::CenterCenter
               ? Qt::AlignCenter
               : Qt::AlignLeft | Qt::AlignVCenter;
}

void CMSFlexGrid::ApplyFixedLayout() {
    horizontalHeader()->setVisible(fixedRows_ > 0);
    horizontalHeader()->setFixedHeight(fixedRowHeightPx_);
    verticalHeader()->setVisible(fixedCols_ > 0);
    verticalHeader()->setFixedWidth(fixedColWidthPx_);
    updateGeometry();
}

void CMSFlexGrid::ApplyPalette() {
    QPalette colours = basePalette_;
    colours.setColor(QPalette::Base, FromOle(backColor_));
    const auto plain = [&colours](QPalette::ColorGroup group) {
        colours.setColor(group, QPalette::Highlight, colours.color(group, QPalette::Base));
        colours.setColor(group, QPalette::HighlightedText, colours.color(group, QPalette::Text));
    };
    switch (highLight_) {
        case HighLightMode::Never:
            plain(QPalette::Active);
            plain(QPalette::Inactive);
            break;
        case HighLightMode::WithFocus:
            plain(QPalette::Inactive);
            break;
        default:
            colours.setColor(QPalette::Inactive, QPalette::Highlight,
                             colours.color(QPalette::Active, QPalette::Highlight));
            colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                             colours.color(QPalette::Active, QPalette::HighlightedText));
    }
    setPalette(colours);
}

bool CMSFlexGrid::PaintCorner() {
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.text = cornerText_;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.state |= QStyle::State_Raised;
    QStylePainter painter(corner_);
    painter.drawControl(QStyle::CE_Header, option);
    return true;
}

std::vector<QString> CMSFlexGrid::AllTexts() const {
    std::vector<QString> texts;
    for (int row = 0; row < Rows(); ++row) {
        for (int col = 0; col < Cols(); ++col) {
            texts.push_back(TextMatrix(row, col));
        }
    }
    return texts;
}

void CMSFlexGrid::RestoreTexts(const std::vector<QString>& texts, int rows, int cols) {
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            SetTextMatrix(row, col, texts.at(static_cast<std::size_t>(row * cols + col)));
        }
    }
}

}  // namespace torvan
