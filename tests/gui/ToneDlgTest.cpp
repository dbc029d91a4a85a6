#include <QRadioButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "dialogs/CToneDlg.h"
#include "editor/CMSFlexGrid.h"

namespace {

QString CheckedMode(const CToneDlg& dialog) {
    for (const QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
        if (button->isChecked()) {
            return button->text();
        }
    }
    return {};
}

}  // namespace

class ToneDlgTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheCellText_data();
    void opensOnTheCellText();
    void listsRunDownTheColumns();
    void picks_data();
    void picks();

private:
    static void Show(CToneDlg& dialog) {
        dialog.show();
        gui_test::WaitActive(dialog);
    }
};

void ToneDlgTest::opensOnTheCellText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("row");  // -1: the grid is hidden
    QTest::addColumn<int>("col");
    QTest::newRow("none") << "none"
                          << "None" << -1 << -1;
    QTest::newRow("empty") << ""
                           << "None" << -1 << -1;
    QTest::newRow("last CTCSS tone") << "CTCSS:254.1"
                                     << "CTCSS" << 4 << 3;
    QTest::newRow("first normal code") << "CDCSS:023N"
                                       << "CDCSSN" << 0 << 0;
    QTest::newRow("tone not in the list") << "CTCSS:68.0"
                                          << "CTCSS" << 0 << 0;
    QTest::newRow("last inverted code") << "CDCSS:754I"
                                        << "CDCSSI" << 14 << 6;
}

void ToneDlgTest::opensOnTheCellText() {
    QFETCH(QString, text);
    QFETCH(QString, mode);
    QFETCH(int, row);
    QFETCH(int, col);
    CToneDlg dialog(text);
    Show(dialog);
    QCOMPARE(CheckedMode(dialog), mode);
    QCOMPARE(dialog.ValueGrid().isVisible(), row >= 0);
    if (row >= 0) {
        QCOMPARE(dialog.ValueGrid().Row(), row);
        QCOMPARE(dialog.ValueGrid().Col(), col);
        QVERIFY(dialog.ValueGrid().hasFocus());
    }
    QCOMPARE(dialog.ResultText(), text);
}

void ToneDlgTest::listsRunDownTheColumns() {
    CToneDlg dialog(QStringLiteral("None"));
    Show(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Tone Setting"));
    QStringList leftToRight;
    auto buttons = dialog.findChildren<QRadioButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    for (const QRadioButton* button : buttons) {
        leftToRight << button->text();
    }
    QCOMPARE(leftToRight, (QStringList{"None", "CTCSS", "CDCSSN", "CDCSSI"}));
    const QSize size = dialog.size();
    gui_test::RunToneSteps(dialog, {"mode CTCSS"});
    const CMSFlexGrid& grid = dialog.ValueGrid();
    QCOMPARE(dialog.size(), size);
    QCOMPARE(grid.Rows(), 15);
    QCOMPARE(grid.Cols(), 7);
    QVERIFY(qAbs(grid.ColWidth(6) - 900) < grid.TwipsPerPixelX());
    QCOMPARE(grid.BackColor(), 0xFFC0FFU);
    QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("67.0"));
    QCOMPARE(grid.TextMatrix(14, 0), QStringLiteral("107.2"));
    QCOMPARE(grid.TextMatrix(4, 3), QStringLiteral("254.1"));
    QCOMPARE(grid.TextMatrix(5, 3), QString());
    gui_test::RunToneSteps(dialog, {"mode CDCSSI"});
    QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("074"));
    QCOMPARE(grid.TextMatrix(14, 6), QStringLiteral("754"));
    // Every cell is a value: the whole grid is in view.
    QVERIFY(grid.viewport()->rect().contains(grid.visualItemRect(grid.item(14, 6))));
}

void ToneDlgTest::picks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("result");  // -1: still open
    QTest::addColumn<QString>("resultText");
    QTest::newRow("empty CTCSS cells")
        << "CTCSS:67.0" << QStringList{"cell 5 3", "cell 0 4"} << -1 << "CTCSS:67.0";
    QTest::newRow("last CTCSS tone")
        << "CTCSS:67.0" << QStringList{"cell 4 3"} << 1 << "CTCSS:254.1";
    QTest::newRow("CDCSSI code") << "CDCSS:023N" << QStringList{"mode CDCSSI", "cell 0 0"} << 1
                                 << "CDCSS:023I";
    QTest::newRow("right button") << "None" << QStringList{"mode CTCSS", "right 8 0"} << 1
                                  << "CTCSS:88.5";
    QTest::newRow("None ends at once") << "CTCSS:88.5" << QStringList{"mode None"} << 1 << "None";
    QTest::newRow("Enter picks") << "CTCSS:88.5" << QStringList{"key Down", "key Return"} << 1
                                 << "CTCSS:91.5";
    QTest::newRow("Enter on an empty cell")
        << "CTCSS:68.0" << QStringList{"cell 5 3", "key Return"} << 1 << "CTCSS:68.0";
    QTest::newRow("close box") << "CTCSS:88.5" << QStringList{"mode CDCSSN", "close"} << 0
                               << "CTCSS:88.5";
}

void ToneDlgTest::picks() {
    QFETCH(QString, text);
    QFETCH(QStringList, steps);
    QFETCH(int, result);
    QFETCH(QString, resultText);
    CToneDlg dialog(text);
    Show(dialog);
    gui_test::RunToneSteps(dialog, steps);
    QCOMPARE(dialog.isVisible(), result < 0);
    if (result >= 0) {
        QCOMPARE(dialog.result(), result);
    }
    QCOMPARE(dialog.ResultText(), resultText);
}

QTEST_MAIN(ToneDlgTest)
#include "ToneDlgTest.moc"
