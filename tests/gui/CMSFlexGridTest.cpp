#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "GuiTestMain.h"
#include "editor/CMSFlexGrid.h"

class CMSFlexGridTest : public QObject {
    Q_OBJECT

private slots:
    void textsKeepTheirCells_data() {
        QTest::addColumn<int>("fixedRows");
        QTest::addColumn<int>("fixedCols");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("corner") << 1 << 1 << 0 << 0;
        QTest::newRow("header row") << 1 << 1 << 0 << 3;
        QTest::newRow("header column") << 1 << 1 << 4 << 0;
        QTest::newRow("last cell") << 1 << 1 << 9 << 5;
        QTest::newRow("no fixed, origin") << 0 << 0 << 0 << 0;
        QTest::newRow("fixed column only") << 0 << 1 << 0 << 2;
        QTest::newRow("below the grid") << 1 << 1 << 10 << 1;
        QTest::newRow("left of the grid") << 0 << 0 << 1 << -1;
    }

    // A text written with the usual fixed row and column stays in its cell when
    // the fixed counts change; cells outside the grid take nothing.
    void textsKeepTheirCells() {
        QFETCH(int, fixedRows);
        QFETCH(int, fixedCols);
        QFETCH(int, row);
        QFETCH(int, col);
        CMSFlexGrid grid;
        grid.SetRows(10);
        grid.SetCols(6);
        // Qt numbers header sections that have no text; this grid shows nothing.
        QCOMPARE(grid.model()->headerData(4, Qt::Horizontal).toString(), QString());
        grid.SetTextMatrix(row, col, QStringLiteral("x"));
        grid.SetFixedRows(fixedRows);
        grid.SetFixedCols(fixedCols);
        QCOMPARE(grid.Rows(), 10);
        QCOMPARE(grid.Cols(), 6);
        QCOMPARE(grid.horizontalHeader()->isHidden(), fixedRows == 0);
        QCOMPARE(grid.verticalHeader()->isHidden(), fixedCols == 0);
        for (int r = 0; r < 10; ++r) {
            for (int c = 0; c < 6; ++c) {
                QCOMPARE(grid.TextMatrix(r, c), r == row && c == col ? "x" : QString());
            }
        }
    }

    void currentCellMovesAndReports() {
        CMSFlexGrid grid;
        grid.SetRows(10);
        grid.SetCols(6);
        QSignalSpy entered(&grid, &CMSFlexGrid::EnterCell);
        grid.SetRow(4);
        grid.SetCol(3);
        grid.SetCol(3);
        QCOMPARE(entered.count(), 2);
        // Fixed cells and cells outside the grid cannot become current.
        grid.SetRow(0);
        grid.SetCol(6);
        QCOMPARE(QPair(grid.Row(), grid.Col()), QPair(4, 3));
    }

    void sizesAndPositionsAreInTwips() {
        CMSFlexGrid grid;
        grid.SetRows(20);
        grid.SetCols(4);
        const int tpp = grid.TwipsPerPixelX();
        grid.SetColWidth(0, 500);
        grid.SetColWidth(2, 2000);
        QVERIFY(qAbs(grid.ColWidth(2) - 2000) < tpp);
        QCOMPARE(grid.verticalHeader()->maximumWidth() * tpp, grid.ColWidth(0));
        QCOMPARE(grid.ColPos(1), grid.ColWidth(0));
        QCOMPARE(grid.ColPos(3), grid.ColPos(2) + grid.ColWidth(2));
        // Positions follow the cells as they scroll.
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const int before = grid.RowPos(5);
        grid.verticalScrollBar()->setValue(3);
        QCOMPARE(grid.RowPos(5), before - 3 * grid.RowHeight(1));
    }
};

GUI_TEST_MAIN(CMSFlexGridTest)
#include "CMSFlexGridTest.moc"
