#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "editor/CMSFlexGrid.h"

namespace {

QPoint Centre(const CMSFlexGrid& grid, int row, int col) {
    return grid.CellRect(row, col).center();
}

// The child widget under a point of the grid, and the point in its terms.
std::pair<QWidget*, QPoint> Target(CMSFlexGrid& grid, QPoint point) {
    QWidget* child = grid.childAt(point);
    QWidget* target = child != nullptr ? child : &grid;
    return {target, target->mapFrom(&grid, point)};
}

}  // namespace

class CMSFlexGridTest : public QObject {
    Q_OBJECT

private slots:
    void startsAsAnEmptyTwoByTwoGrid();
    void cellsKeepTheirTexts_data();
    void cellsKeepTheirTexts();
    void cellsOutsideTheGridAreIgnored();
    void changingFixedCountsKeepsTexts();
    void currentCellMovesAndReports();
    void widthsAndPositionsAreInTwips();
    void positionsScrollWithTheCells();
    void mouseDownComesAfterTheCellMoved_data();
    void mouseDownComesAfterTheCellMoved();
    void keyPressReportsTypedCharacters();
    void typingDoesNotSearch();
    void homeAndEndReachTheRowEnds();
    void highLightFollowsTheMode_data();
    void highLightFollowsTheMode();
    void backColorIsAnOleColour();
    void pageRequestsScrollByAPage();
    void alignmentAppliesToOldAndNewCells();

private:
    // A shown 20 x 5 grid with one fixed row and column.
    void ShowGrid(CMSFlexGrid& grid) {
        grid.SetRows(20);
        grid.SetCols(5);
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }
};

void CMSFlexGridTest::startsAsAnEmptyTwoByTwoGrid() {
    CMSFlexGrid grid;
    QCOMPARE(grid.Rows(), 2);
    QCOMPARE(grid.Cols(), 2);
    QCOMPARE(grid.FixedRows(), 1);
    QCOMPARE(grid.FixedCols(), 1);
    QCOMPARE(grid.Row(), 1);
    QCOMPARE(grid.Col(), 1);
    QCOMPARE(grid.HighLight(), CMSFlexGrid::kHighLightAlways);
    // Qt numbers empty header sections; this grid shows nothing there.
    QCOMPARE(grid.horizontalHeaderItem(0)->text(), QString());
    QCOMPARE(grid.verticalHeaderItem(0)->text(), QString());
}

void CMSFlexGridTest::cellsKeepTheirTexts_data() {
    QTest::addColumn<int>("fixedRows");
    QTest::addColumn<int>("fixedCols");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("corner") << 1 << 1 << 0 << 0;
    QTest::newRow("header row") << 1 << 1 << 0 << 3;
    QTest::newRow("header column") << 1 << 1 << 4 << 0;
    QTest::newRow("cell") << 1 << 1 << 4 << 3;
    QTest::newRow("last cell") << 1 << 1 << 9 << 5;
    QTest::newRow("no fixed, origin") << 0 << 0 << 0 << 0;
    QTest::newRow("no fixed, last") << 0 << 0 << 9 << 5;
    QTest::newRow("fixed row only") << 1 << 0 << 0 << 0;
    QTest::newRow("fixed column only") << 0 << 1 << 0 << 0;
}

void CMSFlexGridTest::cellsKeepTheirTexts() {
    QFETCH(int, fixedRows);
    QFETCH(int, fixedCols);
    QFETCH(int, row);
    QFETCH(int, col);
    CMSFlexGrid grid;
    grid.SetRows(10);
    grid.SetCols(6);
    grid.SetFixedRows(fixedRows);
    grid.SetFixedCols(fixedCols);
    QCOMPARE(grid.Rows(), 10);
    QCOMPARE(grid.Cols(), 6);
    grid.SetTextMatrix(row, col, QStringLiteral("x"));
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 6; ++c) {
            const bool target = r == row && c == col;
            QCOMPARE(grid.TextMatrix(r, c), target ? QStringLiteral("x") : QString());
        }
    }
}

void CMSFlexGridTest::cellsOutsideTheGridAreIgnored() {
    CMSFlexGrid grid;
    grid.SetRows(3);
    grid.SetCols(3);
    for (const auto& [row, col] : {std::pair{-1, 0}, {0, -1}, {3, 1}, {1, 3}}) {
        grid.SetTextMatrix(row, col, QStringLiteral("x"));
        QCOMPARE(grid.TextMatrix(row, col), QString());
    }
    grid.SetRow(7);
    grid.SetCol(-2);
    QCOMPARE(grid.Row(), 1);
    QCOMPARE(grid.Col(), 1);
    QCOMPARE(grid.ColWidth(9), 0);
    QCOMPARE(grid.RowHeight(-1), 0);
}

void CMSFlexGridTest::changingFixedCountsKeepsTexts() {
    CMSFlexGrid grid;
    grid.SetRows(4);
    grid.SetCols(3);
    grid.SetTextMatrix(0, 0, QStringLiteral("corner"));
    grid.SetTextMatrix(0, 2, QStringLiteral("head"));
    grid.SetTextMatrix(3, 0, QStringLiteral("side"));
    grid.SetTextMatrix(2, 1, QStringLiteral("cell"));
    QCOMPARE(grid.horizontalHeaderItem(1)->text(), QStringLiteral("head"));
    QCOMPARE(grid.verticalHeaderItem(2)->text(), QStringLiteral("side"));
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    QCOMPARE(grid.rowCount(), 4);
    QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("corner"));
    QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("head"));
    QCOMPARE(grid.TextMatrix(3, 0), QStringLiteral("side"));
    QCOMPARE(grid.TextMatrix(2, 1), QStringLiteral("cell"));
    QVERIFY(grid.horizontalHeader()->isHidden());
    QVERIFY(grid.verticalHeader()->isHidden());
}

void CMSFlexGridTest::currentCellMovesAndReports() {
    CMSFlexGrid grid;
    grid.SetRows(10);
    grid.SetCols(6);
    QSignalSpy entered(&grid, &CMSFlexGrid::EnterCell);
    grid.SetRow(4);
    grid.SetCol(3);
    QCOMPARE(grid.Row(), 4);
    QCOMPARE(grid.Col(), 3);
    QCOMPARE(entered.count(), 2);
    grid.SetCol(3);
    QCOMPARE(entered.count(), 2);
    // Fixed cells cannot become the current cell.
    grid.SetRow(0);
    QCOMPARE(grid.Row(), 4);
    grid.SetText(QStringLiteral("here"));
    QCOMPARE(grid.TextMatrix(4, 3), QStringLiteral("here"));
    QCOMPARE(grid.Text(), QStringLiteral("here"));
}

void CMSFlexGridTest::widthsAndPositionsAreInTwips() {
    CMSFlexGrid grid;
    grid.SetRows(5);
    grid.SetCols(4);
    const int tpp = grid.TwipsPerPixelX();
    QCOMPARE(tpp, 1440 / grid.logicalDpiX());
    const int unit = grid.ColWidth(0);
    QVERIFY(unit > 0);
    QCOMPARE(grid.ColWidth(2), unit);
    grid.SetColWidth(0, 500);
    grid.SetColWidth(2, 2000);
    QVERIFY(qAbs(grid.ColWidth(0) - 500) < tpp);
    QVERIFY(qAbs(grid.ColWidth(2) - 2000) < tpp);
    QCOMPARE(grid.verticalHeader()->maximumWidth() * tpp, grid.ColWidth(0));
    QCOMPARE(grid.ColPos(0), 0);
    QCOMPARE(grid.ColPos(1), grid.ColWidth(0));
    QCOMPARE(grid.ColPos(3), grid.ColPos(2) + grid.ColWidth(2));
    QCOMPARE(grid.RowPos(1), grid.RowHeight(0));
    QCOMPARE(grid.RowPos(3), grid.RowPos(2) + grid.RowHeight(2));
    grid.SetColWidth(2, CMSFlexGrid::kDefaultWidth);
    QCOMPARE(grid.ColWidth(2), unit);
}

void CMSFlexGridTest::positionsScrollWithTheCells() {
    CMSFlexGrid grid;
    ShowGrid(grid);
    const int before = grid.RowPos(5);
    grid.verticalScrollBar()->setValue(3);
    QCOMPARE(grid.RowPos(5), before - 3 * grid.RowHeight(1));
    QVERIFY(grid.RowPos(1) < 0);
}

void CMSFlexGridTest::mouseDownComesAfterTheCellMoved_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("currentCol");
    QTest::newRow("cell") << 5 << 3 << 5 << 3;
    QTest::newRow("channel number") << 6 << 0 << 6 << 1;
}

void CMSFlexGridTest::mouseDownComesAfterTheCellMoved() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, currentRow);
    QFETCH(int, currentCol);
    CMSFlexGrid grid;
    ShowGrid(grid);
    int seenRow = -1;
    int seenCol = -1;
    int seenButton = 0;
    connect(&grid, &CMSFlexGrid::MouseDown, this, [&](qint16 button, qint16, qint32, qint32) {
        seenButton = button;
        seenRow = grid.Row();
        seenCol = grid.Col();
    });
    const auto [target, point] = Target(grid, Centre(grid, row, col));
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(seenButton, 1);
    QCOMPARE(seenRow, currentRow);
    QCOMPARE(seenCol, currentCol);
    QCOMPARE(grid.MouseRow(), row);
    QCOMPARE(grid.MouseCol(), col);
}

void CMSFlexGridTest::keyPressReportsTypedCharacters() {
    CMSFlexGrid grid;
    ShowGrid(grid);
    QList<int> typed;
    connect(&grid, &CMSFlexGrid::KeyPress, this, [&](qint16& key) { typed << key; });
    QTest::keyClick(&grid, Qt::Key_7);
    QTest::keyClick(&grid, Qt::Key_A);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(typed, (QList<int>{'7', 'a'}));
}

void CMSFlexGridTest::typingDoesNotSearch() {
    CMSFlexGrid grid;
    ShowGrid(grid);
    grid.SetTextMatrix(9, 2, QStringLiteral("7 here"));
    grid.SetRow(1);
    grid.SetCol(1);
    QTest::keyClick(&grid, Qt::Key_7);
    QCOMPARE(grid.Row(), 1);
    QCOMPARE(grid.Col(), 1);
}

void CMSFlexGridTest::homeAndEndReachTheRowEnds() {
    CMSFlexGrid grid;
    ShowGrid(grid);
    grid.SetRow(3);
    grid.SetCol(2);
    QTest::keyClick(&grid, Qt::Key_End);
    QCOMPARE(grid.Col(), grid.Cols() - 1);
    QTest::keyClick(&grid, Qt::Key_Home);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.Col(), 1);
    QCOMPARE(grid.Row(), 4);
}

void CMSFlexGridTest::highLightFollowsTheMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("unfocused");
    QTest::newRow("never") << CMSFlexGrid::kHighLightNever << false << false;
    QTest::newRow("always") << CMSFlexGrid::kHighLightAlways << true << true;
    QTest::newRow("with focus") << CMSFlexGrid::kHighLightWithFocus << true << false;
}

void CMSFlexGridTest::highLightFollowsTheMode() {
    QFETCH(int, mode);
    QFETCH(bool, focused);
    QFETCH(bool, unfocused);
    CMSFlexGrid grid;
    grid.SetHighLight(mode);
    QCOMPARE(grid.HighLight(), mode);
    const QPalette colours = grid.palette();
    const auto shows = [&](QPalette::ColorGroup group) {
        return colours.color(group, QPalette::Highlight) != colours.color(group, QPalette::Base);
    };
    QCOMPARE(shows(QPalette::Active), focused);
    QCOMPARE(shows(QPalette::Inactive), unfocused);
}

void CMSFlexGridTest::backColorIsAnOleColour() {
    CMSFlexGrid grid;
    grid.SetHighLight(CMSFlexGrid::kHighLightNever);
    grid.SetBackColor(0xFFC0FF);
    QCOMPARE(grid.BackColor(), 0xFFC0FFU);
    QCOMPARE(grid.palette().color(QPalette::Base), QColor(0xFF, 0xC0, 0xFF));
    // Without highlight the selection is drawn in the cell colour too.
    QCOMPARE(grid.palette().color(QPalette::Highlight), QColor(0xFF, 0xC0, 0xFF));
}

void CMSFlexGridTest::pageRequestsScrollByAPage() {
    CMSFlexGrid grid;
    ShowGrid(grid);
    QScrollBar* bar = grid.verticalScrollBar();
    QVERIFY(bar->pageStep() > 0);
    grid.ScrollPage(true);
    QCOMPARE(bar->value(), bar->pageStep());
    grid.ScrollPage(false);
    QCOMPARE(bar->value(), 0);
}

void CMSFlexGridTest::alignmentAppliesToOldAndNewCells() {
    CMSFlexGrid grid;
    grid.SetRows(3);
    grid.SetCols(3);
    grid.SetTextMatrix(1, 1, QStringLiteral("old"));
    grid.SetColAlignment(1, CMSFlexGrid::kAlignCenterCenter);
    grid.SetTextMatrix(2, 1, QStringLiteral("new"));
    QCOMPARE(grid.item(0, 0)->textAlignment(), int(Qt::AlignCenter));
    QCOMPARE(grid.item(1, 0)->textAlignment(), int(Qt::AlignCenter));
    grid.SetTextMatrix(1, 2, QStringLiteral("other"));
    QCOMPARE(grid.item(0, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
}

QTEST_MAIN(CMSFlexGridTest)
#include "CMSFlexGridTest.moc"
