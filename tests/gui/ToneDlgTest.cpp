#include <QRadioButton>
#include <QTest>

#include "GuiTestMain.h"
#include "GuiTestSupport.h"
#include "dialogs/CToneDlg.h"

// The Tone Setting dialog over the core's tone tables: what it opens on and
// what a pick gives.
class ToneDlgTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheCellText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("row");  // -1: the grid is hidden
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("shown");
        QTest::newRow("none") << "none"
                              << "None" << -1 << -1 << "";
        QTest::newRow("last CTCSS tone") << "CTCSS:254.1"
                                         << "CTCSS" << 4 << 3 << "254.1";
        QTest::newRow("last inverted code") << "CDCSS:754I"
                                            << "CDCSSI" << 14 << 6 << "754";
    }

    void opensOnTheCellText() {
        QFETCH(QString, text);
        QFETCH(QString, mode);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, shown);
        CToneDlg dialog(text);
        dialog.show();
        gui_test::WaitActive(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Tone Setting"));
        for (const QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
            QCOMPARE(button->isChecked(), button->text() == mode);
        }
        const CMSFlexGrid& grid = dialog.ValueGrid();
        QCOMPARE(grid.isVisible(), row >= 0);
        if (row >= 0) {
            QCOMPARE(QPair(grid.Row(), grid.Col()), QPair(row, col));
            QCOMPARE(grid.Text(), shown);
            QVERIFY(grid.hasFocus());
            // Every value is in view, without scrolling.
            QVERIFY(grid.contentsRect().contains(grid.CellRect(14, 6)));
        }
    }

    void picks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("result");  // -1: still open
        QTest::addColumn<QString>("resultText");
        QTest::newRow("empty cell")
            << "CTCSS:67.0" << QStringList{"cell 5 3"} << -1 << "CTCSS:67.0";
        QTest::newRow("CDCSSI code")
            << "CDCSS:023N" << QStringList{"click CDCSSI", "cell 0 0"} << 1 << "CDCSS:023I";
        QTest::newRow("right button")
            << "None" << QStringList{"click CTCSS", "right 8 0"} << 1 << "CTCSS:88.5";
        QTest::newRow("None ends at once")
            << "CTCSS:88.5" << QStringList{"click None"} << 1 << "None";
        QTest::newRow("Enter picks")
            << "CTCSS:88.5" << QStringList{"Down", "Return"} << 1 << "CTCSS:91.5";
        QTest::newRow("Enter on a tone not listed")
            << "CTCSS:68.0" << QStringList{"Return"} << 1 << "CTCSS:68.0";
        QTest::newRow("Down picks the first listed tone")
            << "CTCSS:68.0" << QStringList{"Down", "Return"} << 1 << "CTCSS:67.0";
        QTest::newRow("Enter on an empty cell")
            << "CTCSS:68.0" << QStringList{"cell 5 3", "Return"} << 1 << "CTCSS:68.0";
        QTest::newRow("Escape") << "CTCSS:88.5" << QStringList{"click CDCSSN", "Escape"} << 0
                                << "CTCSS:88.5";
        QTest::newRow("close box") << "CTCSS:88.5" << QStringList{"close"} << 0 << "CTCSS:88.5";
    }

    void picks() {
        QFETCH(QString, text);
        QFETCH(QStringList, steps);
        QFETCH(int, result);
        QFETCH(QString, resultText);
        CToneDlg dialog(text);
        dialog.show();
        gui_test::RunSteps(dialog, steps);
        QCOMPARE(dialog.isVisible(), result < 0);
        if (result >= 0) {
            QCOMPARE(dialog.result(), result);
        }
        QCOMPARE(dialog.ResultText(), resultText);
    }
};

GUI_TEST_MAIN(ToneDlgTest)
#include "ToneDlgTest.moc"
