#pragma once

#include <QTableWidget>
#include <cstdint>
#include <vector>

namespace torvan {

// A grid of text cells addressed the way the editor's windows expect: rows and
// columns count from 0 and include the fixed header row and column, which stay
// in view while the cells scroll. Sizes and positions are in twips (1/1440
// inch at the screen's logical resolution) and relative to the grid's client
// area, inside its frame. The grid does no editing of its own.
class CMSFlexGrid : public QTableWidget {
    Q_OBJECT

public:
    // When the current cell shows as highlighted.
    enum class HighLightMode { Never, Always, WithFocus };
    // How a column's texts sit in their cells: centred both ways, or the
    // general alignment (left, centred vertically).
    enum class CellAlignment { CenterCenter, General };
    // What a drag with the mouse selects: any block of cells.
    enum class GridSelection { Free };
    // ColWidth value that restores the default width.
    static constexpr int kDefaultWidth = -1;

    explicit CMSFlexGrid(QWidget* parent = nullptr);

    int Rows() const;
    void SetRows(int rows);
    int Cols() const;
    void SetCols(int cols);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int fixedRows);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int fixedCols);

    // The current cell; setting moves it (out-of-range values are ignored).
    int Row() const;
    void SetRow(int row);
    int Col() const;
    void SetCol(int col);
    QString Text() const;

    // Any cell, fixed ones included, without moving the current cell. Cells
    // outside the grid read as empty text and ignore writes.
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);

    void SetColAlignment(int col, CellAlignment alignment);
    void SetSelectionMode(GridSelection mode);
    void SetWordWrap(bool wrap);
    HighLightMode HighLight() const { return highLight_; }
    void SetHighLight(HighLightMode mode);
    // An OLE colour: 0x00BBGGRR.
    void SetBackColor(std::uint32_t oleColor);

    // The cell under the mouse at the last mouse event over the grid; -1 when
    // the pointer has not been over a cell yet.
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }

    // A cell's rectangle in widget coordinates, for editors placed over it.
    QRect CellRect(int row, int col) const;
    // The vertical-scroll page-up and page-down requests.
    void ScrollPage(bool down);
    int TwipsPerPixelX() const;

    QSize sizeHint() const override;
    void keyboardSearch(const QString& search) override;

signals:
    // The current cell has changed.
    void EnterCell();
    // A character was typed; setting it to 0 cancels the key.
    void KeyPress(qint16& keyAscii);
    // A button went down over the grid, after the current cell moved to the
    // cell under it. button: 1 left, 2 right, 4 middle; shift: 1 Shift,
    // 2 Ctrl, 4 Alt; x and y in pixels of the client area.
    void MouseDown(qint16 button, qint16 shift, qint32 x, qint32 y);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Cell {
        int row = -1;
        int col = -1;
    };

    int DefaultColumnWidthPx() const;
    int DefaultRowHeightPx() const;
    QPoint ViewportOrigin() const;
    QPoint ToClient(const QWidget* from, QPoint position) const;
    Cell CellAtClient(QPoint client) const;
    void TrackMouse(const QWidget* from, QPoint position);
    void OnMousePressed(const QWidget* from, const QMouseEvent* event);
    QTableWidgetItem* ItemAt(int row, int col, bool create);
    Qt::Alignment AlignmentOf(int col) const;
    void ApplyFixedLayout();
    void ApplyPalette();
    bool PaintCorner();
    std::vector<QString> AllTexts() const;
    void RestoreTexts(const std::vector<QString>& texts, int rows, int cols);

    QWidget* corner_ = nullptr;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int fixedColWidthPx_ = 0;
    int fixedRowHeightPx_ = 0;
    QString cornerText_;
    std::vector<CellAlignment> colAlignment_;
    HighLightMode highLight_ = HighLightMode::Always;
    std::uint32_t backColor_ = 0;
    QPalette basePalette_;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
};

}  // namespace torvan
