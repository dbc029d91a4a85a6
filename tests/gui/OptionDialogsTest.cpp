#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "dialogs/CDtmfDlg.h"
#include "dialogs/CRadioDlg.h"
#include "dialogs/CSideKeyDlg.h"
#include "dialogs/CToneDlg.h"
#include "editor/CMSFlexGrid.h"

using namespace torvan;

namespace {

using Bytes = QByteArray;

constexpr int kSideKey = 0;
constexpr int kDtmf = 1;
constexpr int kRadio = 2;

std::unique_ptr<QDialog> Make(int dialog, torvan::MemoryImage& image) {
    if (dialog == kSideKey) {
        return std::make_unique<CSideKeyDlg>(image);
    }
    if (dialog == kDtmf) {
        return std::make_unique<CDtmfDlg>(image);
    }
    return std::make_unique<CRadioDlg>(image);
}

void Put(torvan::MemoryImage& image, std::size_t offset, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(),
              image.Span(offset, static_cast<std::size_t>(bytes.size())).begin());
}

}  // namespace

// The Tone Setting dialog on a cell text: what it opens on and what a pick
// gives. The Side Key, DTMF and Radio dialogs on an image: what they show,
// and what the user's keys and clicks leave in it. The tone tables and the
// byte rules are the core's; these rows show that the controls reach them.
class OptionDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // A new document, with an empty PTT ID as the DTMF dialog stores it.
    void init() {
        image_.ResetToNewDocument();
        Put(image_, 0x820, Bytes(8, '\0'));
    }

    // The dialog opens on the cell's mode and value, its grid (hidden for
    // None) showing every value without scrolling. What the user's clicks and
    // keys leave as the dialog's result: 1 accepted, 0 cancelled, -1 still open.
    void toneDialogPicks() {
        for (const auto& [text, steps, result, resultText] :
             {std::tuple{"CTCSS:67.0", QStringList{"cell 5 3"}, -1, "CTCSS:67.0"},  // empty cell
              {"CDCSS:023N", QStringList{"click CDCSSI", "cell 0 0"}, 1, "CDCSS:023I"},
              {"None", QStringList{"click CTCSS", "right 8 0"}, 1, "CTCSS:88.5"},
              {"CTCSS:88.5", QStringList{"click None"}, 1, "None"},
              {"CTCSS:88.5", QStringList{"Down", "Return"}, 1, "CTCSS:91.5"},
              {"CTCSS:68.0", QStringList{"Return"}, 1, "CTCSS:68.0"},  // not listed
              {"CTCSS:68.0", QStringList{"Down", "Return"}, 1, "CTCSS:67.0"},
              {"CDCSS:754I", QStringList{"Return"}, 1, "CDCSS:754I"},
              {"CTCSS:88.5", QStringList{"click CDCSSN", "Escape"}, 0, "CTCSS:88.5"}}) {
            CToneDlg dialog(QString::fromLatin1(text));
            dialog.show();
            gui_test::WaitActive(dialog);
            const auto& grid = gui_test::Child<CMSFlexGrid>(dialog, "valueGrid");
            QCOMPARE(grid.isVisible(), QLatin1String(text) != QLatin1String("None"));
            QVERIFY(!grid.isVisible() || grid.contentsRect().contains(grid.CellRect(14, 6)));
            gui_test::RunSteps(dialog, steps);
            QCOMPARE(dialog.isVisible() ? -1 : dialog.result(), result);
            QCOMPARE(dialog.ResultText(), QString::fromLatin1(resultText));
        }
    }

    // Side keys are at 0x81D-0x81E; DTMF's PTT ID at 0x820-0x827 and side
    // tones at 0x83C; broadcast presets from 0xD80 on, four bytes each. The
    // dialog, the offset, the bytes stored there, the user's steps, and the
    // bytes there afterwards (null: the dialog is still open). Only those may
    // change. Each dialog shows what it opened on: stored again at once, it
    // is unchanged, and a preset's editor starts from its text.
    void dialogsStoreWhatTheUserLeaves() {
        const Bytes id("123\0\0\0\0\0", 8);
        const Bytes empty(4, '\xFF');
        const Bytes p88("\x00\x00\x80\x08", 4);
        const QStringList closeDtmf = {"focus rxSideToneList", "Home", "focus pttIdEdit", "type 4"};
        // clang-format off
        const std::tuple<int, int, Bytes, QStringList, Bytes> rows[] = {
            {kSideKey, 0x81D, Bytes("\x23\x58"), {"Return"}, Bytes("\x23\x58")},
            {kDtmf, 0x820, id, {"click OK"}, id},
            {kRadio, 0xD80, Bytes("\x00\x00\x75\x08", 4),
             {"Return", "End", "Backspace", "type 5", "Return", "close"},
             Bytes("\x00\x50\x75\x08", 4)},
            // Erased side keys; Enter is OK.
            {kSideKey, 0x81D, Bytes("\xFF\x90"), {"Return"}, Bytes("\x00\x00", 2)},
            // Picked where none was shown.
            {kSideKey, 0x81D, Bytes("\x23\x67"),
             {"focus key1ShortList", "type m", "focus key2LongList", "type f", "click OK"},
             Bytes("\x13\x68")},
            {kDtmf, 0x820, id, closeDtmf + QStringList{"Escape"}, id},
            {kDtmf, 0x820, id, closeDtmf + QStringList{"click Cancel"}, id},
            {kDtmf, 0x820, id, closeDtmf + QStringList{"close"}, id},
            {kDtmf, 0x83C, Bytes(1, '\0'), {"focus rxSideToneList", "Home", "Return"},
             Bytes(1, '\x04')},
            {kDtmf, 0x820, Bytes("9\0\0\0\0\0\0\0", 8),
             {"focus pttIdEdit", "paste 12-34 ab#x*cd", "click OK"}, Bytes("91234AB#")},
            {kDtmf, 0x820, Bytes(8, '\0'), {"focus pttIdEdit", "drop (0)d 5", "click OK"},
             Bytes("0D5\0\0\0\0\0", 8)},
            // A typed preset: Enter commits it.
            {kRadio, 0xD80, empty, {"Return", "type 87.55", "Return", "close"},
             Bytes("\x00\x50\x75\x08", 4)},
            // Escape in the editor closes and stores; on the grid it stays open.
            {kRadio, 0xD80, empty, {"Return", "type 88", "Escape"}, p88},
            {kRadio, 0xD80, p88, {"Escape", "Escape"}, Bytes()},
            // Right moves a row down, Left a row up, but not past the ends.
            {kRadio, 0xD84, empty, {"Right", "Return", "type 88", "Return", "close"}, p88},
            {kRadio, 0xD90, empty, {"row 6", "Left", "Return", "type 88", "Return", "close"}, p88},
            {kRadio, 0xD80, empty, {"Left", "Return", "type 88", "Return", "close"}, p88},
            {kRadio, 0xDFC, empty,
             {"row 32", "Right", "Return", "type 7", "Return", "Return", "type 88", "Return",
              "close"},
             p88},
        };
        // clang-format on
        for (const auto& [dialog, offset, stored, steps, after] : rows) {
            init();
            Put(image_, static_cast<std::size_t>(offset), stored);
            const QByteArray before = gui_test::ToBytes(image_);
            const std::unique_ptr<QDialog> shown = Make(dialog, image_);
            shown->show();
            gui_test::RunSteps(*shown, steps);
            QVERIFY2(shown->isVisible() == after.isNull(), qPrintable(steps.join(", ")));
            QVERIFY2(gui_test::ToBytes(image_) ==
                         (after.isNull() ? before
                                         : QByteArray(before).replace(offset, after.size(), after)),
                     qPrintable(steps.join(", ")));
        }
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
