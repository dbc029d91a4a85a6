#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTestMain.h"
#include "GuiTestSupport.h"
#include "dialogs/CDtmfDlg.h"
#include "dialogs/CRadioDlg.h"
#include "dialogs/CSideKeyDlg.h"
#include "editor/CMSFlexGrid.h"

using gui_test::Key;

namespace {

using Bytes = QByteArray;

Bytes At(const torvan::MemoryImage& image, std::size_t offset, qsizetype length) {
    return gui_test::ToBytes(image).mid(static_cast<qsizetype>(offset), length);
}

void Put(torvan::MemoryImage& image, std::size_t offset, const Bytes& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        image[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes[i]);
    }
}

}  // namespace

// The Side Key, DTMF and Radio dialogs on an image: what they show, what
// the user's keys do, and the bytes they leave when they close.
class OptionDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { image_.ResetToNewDocument(); }

    void sideKeys_data() {
        QTest::addColumn<Bytes>("stored");  // 0x81D, 0x81E
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<Bytes>("after");
        QTest::newRow("erased, Enter is OK")
            << Bytes("\xFF\x90") << QStringList{"Off", "Off", "Off", "Off"} << QStringList{"Return"}
            << Bytes("\x00\x00", 2);
        QTest::newRow("picks where none was shown")
            << Bytes("\x23\x67") << QStringList{"", "", "", ""}
            << QStringList{"focus key1ShortList", "type m", "focus key2LongList", "type f",
                           "click OK"}
            << Bytes("\x13\x68");
        for (const char* close : {"Escape", "click Cancel", "close"}) {
            QTest::newRow(close) << Bytes("\x23\x58")
                                 << QStringList{"", "", "Reverse Frequency", "FM"}
                                 << QStringList{"focus key1ShortList", "Down", "focus key2LongList",
                                                "Home", close}
                                 << Bytes("\x23\x58");
        }
    }

    void sideKeys() {
        QFETCH(Bytes, stored);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, steps);
        QFETCH(Bytes, after);
        Put(image_, 0x81D, stored);
        const QByteArray before = gui_test::ToBytes(image_);
        CSideKeyDlg dialog(image_);
        QStringList texts;
        for (std::size_t action = 0; action < 4; ++action) {
            texts << dialog.List(action).currentText();
        }
        QCOMPARE(texts, shown);
        dialog.show();
        gui_test::RunSteps(dialog, steps);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(At(image_, 0x81D, 2), after);
        QCOMPARE(gui_test::ToBytes(image_).remove(0x81D, 2), QByteArray(before).remove(0x81D, 2));
    }

    void dtmf_data() {
        QTest::addColumn<int>("tones");          // 0x83C
        QTest::addColumn<Bytes>("id");           // 0x820-0x827
        QTest::addColumn<QStringList>("shown");  // Tx, Rx, PTT ID
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("typed");  // the PTT ID after the steps
        QTest::addColumn<int>("tonesAfter");
        QTest::addColumn<Bytes>("idAfter");
        const Bytes zeros(8, '\0');
        QTest::newRow("Rx on only")
            << 0x00 << zeros << QStringList{"Off", "Off", ""}
            << QStringList{"focus rxSideToneList", "Home", "Return"} << "" << 0x04 << zeros;
        QTest::newRow("typed") << 0xFF << zeros << QStringList{"On", "On", ""}
                               << QStringList{"focus pttIdEdit", "type 1a*#5x9", "click OK"}
                               << "1A*#59" << 0xFF << Bytes("1A*#59\0\0", 8);
        QTest::newRow("pasted") << 0xFF << Bytes("9\0\0\0\0\0\0\0", 8)
                                << QStringList{"On", "On", "9"}
                                << QStringList{"focus pttIdEdit", "paste 12-34 ab#x*cd", "click OK"}
                                << "91234AB#" << 0xFF << Bytes("91234AB#");
        QTest::newRow("dropped") << 0xFF << zeros << QStringList{"On", "On", ""}
                                 << QStringList{"focus pttIdEdit", "drop (0)d 5", "click OK"}
                                 << "0D5" << 0xFF << Bytes("0D5\0\0\0\0\0", 8);
        for (const char* close : {"Escape", "click Cancel", "close"}) {
            QTest::newRow(close) << 0x00 << Bytes("123\0\0\0\0\0", 8)
                                 << QStringList{"Off", "Off", "123"}
                                 << QStringList{"focus rxSideToneList", "Home", "focus pttIdEdit",
                                                "type 4", close}
                                 << "1234" << 0x00 << Bytes("123\0\0\0\0\0", 8);
        }
    }

    void dtmf() {
        QFETCH(int, tones);
        QFETCH(Bytes, id);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, steps);
        QFETCH(QString, typed);
        QFETCH(int, tonesAfter);
        QFETCH(Bytes, idAfter);
        image_[0x83C] = static_cast<std::uint8_t>(tones);
        Put(image_, 0x820, id);
        const QByteArray before = gui_test::ToBytes(image_);
        CDtmfDlg dialog(image_);
        QCOMPARE((QStringList{dialog.TxSideToneList().currentText(),
                              dialog.RxSideToneList().currentText(), dialog.PttIdEdit().text()}),
                 shown);
        dialog.show();
        gui_test::RunSteps(dialog, steps);
        QCOMPARE(dialog.PttIdEdit().text(), typed);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(int(image_[0x83C]), tonesAfter);
        QCOMPARE(At(image_, 0x820, 8), idAfter);
        QByteArray rest = gui_test::ToBytes(image_).remove(0x83C, 1).remove(0x820, 8);
        QCOMPARE(rest, QByteArray(before).remove(0x83C, 1).remove(0x820, 8));
    }

    // The steps start on row `from`, whose preset holds `stored`.
    void radio_data() {
        QTest::addColumn<Bytes>("stored");
        QTest::addColumn<int>("from");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("cell");  // the text of row `from` after the steps
        QTest::addColumn<int>("row");       // the current row after the steps
        QTest::addColumn<Bytes>("after");   // the preset once the dialog closed
        const Bytes empty(4, '\xFF');
        const Bytes p8750("\x00\x00\x75\x08", 4);
        QTest::newRow("shown and kept")
            << p8750 << 1 << QStringList{"close"} << "87.50" << 1 << p8750;
        QTest::newRow("87.55 exactly")
            << empty << 1 << QStringList{"Return", "type 87.55", "Return", "close"} << "87.55" << 2
            << Bytes("\x00\x50\x75\x08", 4);
        QTest::newRow("six characters at most, above the band")
            << empty << 1 << QStringList{"Return", "type 9999999", "Return", "close"} << "108.00"
            << 2 << Bytes("\x00\x00\x80\x10", 4);
        QTest::newRow("letters are not taken")
            << empty << 1 << QStringList{"Return", "type 9a0-x.5", "Return", "close"} << "90.50"
            << 2 << Bytes("\x00\x00\x05\x09", 4);
        QTest::newRow("pasted") << empty << 1
                                << QStringList{"Return", "paste 10x2.3 MHz", "Return", "close"}
                                << "102.30" << 2 << Bytes("\x00\x00\x23\x10", 4);
        QTest::newRow("Enter on the last row stays")
            << empty << 32 << QStringList{"Return", "type 88", "Return", "close"} << "88.00" << 32
            << Bytes("\x00\x00\x80\x08", 4);
        QTest::newRow("Escape on the grid stays open")
            << p8750 << 1 << QStringList{"Escape", "Escape", "Right"} << "87.50" << 2 << Bytes();
        QTest::newRow("Escape in the editor closes and stores")
            << empty << 1 << QStringList{"Return", "type 91", "Escape"} << "91.00" << 1
            << Bytes("\x00\x00\x10\x09", 4);
        QTest::newRow("Left from row 6") << empty << 6 << QStringList{"Left"} << "" << 5 << Bytes();
        QTest::newRow("Left on row 1") << empty << 1 << QStringList{"Left"} << "" << 1 << Bytes();
        QTest::newRow("Right on row 32")
            << empty << 32 << QStringList{"Right"} << "" << 32 << Bytes();
    }

    void radio() {
        QFETCH(Bytes, stored);
        QFETCH(int, from);
        QFETCH(QStringList, steps);
        QFETCH(QString, cell);
        QFETCH(int, row);
        QFETCH(Bytes, after);
        const std::size_t preset = 0xD80 + static_cast<std::size_t>(from - 1) * 4;
        Put(image_, preset, stored);
        const QByteArray before = gui_test::ToBytes(image_);
        CRadioDlg dialog(image_);
        CMSFlexGrid& grid = dialog.PresetGrid();
        dialog.show();
        gui_test::WaitActive(dialog);
        grid.setFocus();
        grid.SetRow(from);
        grid.SetCol(1);
        gui_test::RunSteps(dialog, steps);
        QCOMPARE(grid.TextMatrix(from, 1), cell);
        QCOMPARE(QPair(grid.Row(), grid.Col()), QPair(row, 1));
        QCOMPARE(dialog.isVisible(), after.isEmpty());
        if (after.isEmpty()) {
            QCOMPARE(gui_test::ToBytes(image_), before);  // nothing stored while open
            return;
        }
        QCOMPARE(gui_test::ToBytes(image_),
                 QByteArray(before).replace(static_cast<qsizetype>(preset), 4, after));
    }

    // A click on a preset opens its editor; a click on the numbers marks the row.
    void radioClicks() {
        CRadioDlg dialog(image_);
        dialog.show();
        gui_test::WaitActive(dialog);
        CMSFlexGrid& grid = dialog.PresetGrid();
        gui_test::ClickCell(grid, 3, 1);
        QVERIFY(dialog.PresetEditor().isVisible());
        QVERIFY(dialog.PresetEditor().hasFocus());
        QCOMPARE(grid.HighLight(), CMSFlexGrid::kHighLightNever);
        QTest::keyClicks(&dialog.PresetEditor(), QStringLiteral("104"));
        gui_test::ClickCell(grid, 5, 0);
        QCOMPARE(grid.TextMatrix(3, 1), QStringLiteral("104.00"));
        QVERIFY(!dialog.PresetEditor().isVisible());
        QCOMPARE(grid.HighLight(), CMSFlexGrid::kHighLightWithFocus);
        QCOMPARE(grid.Row(), 5);
    }

    // Lists take the wheel only with the focus; every control has its label.
    void controlsOfTheDialogs() {
        CSideKeyDlg sideKey(image_);
        CDtmfDlg dtmf(image_);
        for (QDialog* dialog : {static_cast<QDialog*>(&sideKey), static_cast<QDialog*>(&dtmf)}) {
            dialog->show();
            gui_test::WaitActive(*dialog);
            for (const QLabel* label : dialog->findChildren<QLabel*>()) {
                QVERIFY2(label->buddy() != nullptr, qPrintable(label->text()));
            }
            for (QComboBox* list : dialog->findChildren<QComboBox*>()) {
                list->setCurrentIndex(0);
                dialog->findChildren<QPushButton*>().first()->setFocus();
                gui_test::Wheel(*list, -120);
                QCOMPARE(list->currentIndex(), 0);
                list->setFocus();
                gui_test::Wheel(*list, -120);
                QCOMPARE(list->currentIndex(), 1);
            }
        }
    }

private:
    torvan::MemoryImage image_;
};

GUI_TEST_MAIN(OptionDialogsTest)
#include "OptionDialogsTest.moc"
