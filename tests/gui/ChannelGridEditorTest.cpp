#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "GuiTestSupport.h"
#include "editor/CMSFlexGrid.h"
#include "editor/CProgramView.h"
#include "editor/ChannelGridEditor.h"

using gui_test::Key;
using gui_test::Settle;

namespace {

constexpr int kRow = 5;

const QStringList kFullRow = {"145.00000", "145.00000", "CTCSS:88.5", "None", "Carrier",
                              "Low",       "Narrow",    "No",         "Both", "CALL"};
const QStringList kEmptyRow = QStringList(10, QString());

}  // namespace

// The channel grid edited in place, with keys and clicks on a shown form.
class ChannelGridEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typedFrequencyCommits_data();
    void typedFrequencyCommits();
    void editingStartsWhereTheRowAllows_data();
    void editingStartsWhereTheRowAllows();
    void frequencyEditorTakesOnlyANumber_data();
    void frequencyEditorTakesOnlyANumber();
    void listAndNameCommitWithEnter_data();
    void listAndNameCommitWithEnter();
    void arrowsWrapBetweenRows_data();
    void arrowsWrapBetweenRows();
    void commitLandsOnTheEditedCell_data();
    void commitLandsOnTheEditedCell();
    void addAndDeleteMoveChannels_data();
    void addAndDeleteMoveChannels();
    void wheelPagesOnlyWithFocus_data();
    void wheelPagesOnlyWithFocus();
    void toneCellsOpenTheToneDialog_data();
    void toneCellsOpenTheToneDialog();

private:
    CMSFlexGrid& Grid() { return view_->ChannelGrid(); }
    ChannelGridEditor& Editors() { return view_->GridEditor(); }
    QStringList RowTexts(int row) {
        QStringList texts;
        for (int col = 1; col <= 10; ++col) {
            texts << Grid().TextMatrix(row, col);
        }
        return texts;
    }
    void SetRow(int row, const QStringList& texts) {
        for (int col = 1; col <= 10; ++col) {
            Grid().SetTextMatrix(row, col, texts.at(col - 1));
        }
    }
    void GoTo(int row, int col) {
        Grid().setFocus();
        Grid().SetRow(row);
        Grid().SetCol(col);
    }
    QPair<int, int> Current() { return {Grid().Row(), Grid().Col()}; }
    // The editor that has the keyboard over the grid, if any.
    QWidget* OpenEditor() {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr && focus->parentWidget() == Grid().viewport() ? focus : nullptr;
    }

    gui_test::TestFolder folder_;
    torvan::MemoryImage image_;
    torvan::FrequencyLimits limits_;
    std::unique_ptr<CProgramView> view_;
};

void ChannelGridEditorTest::init() {
    folder_.WriteIni(gui_test::kProfiles);
    limits_ = {};
    image_.ResetToNewDocument();
    view_ = std::make_unique<CProgramView>(image_, limits_, folder_.IniPath());
    view_->OnInitialUpdate();
    view_->resize(1000, 700);
    view_->show();
    gui_test::WaitActive(*view_);
}

void ChannelGridEditorTest::cleanup() {
    view_.reset();
}

void ChannelGridEditorTest::typedFrequencyCommits_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");  // "\b" clears
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("nextRow");
    QTest::addColumn<int>("nextCol");
    const auto channel = [](const char* rx, const char* tx) {
        return QStringList{rx, tx, "None", "None", "Off", "High", "Wide", "Yes", "Off", ""};
    };
    QTest::newRow("new channel, snapped")
        << kEmptyRow << 1 << "145.1234567" << channel("145.12000", "145.12000") << kRow << 2;
    QTest::newRow("6.25 kHz step stays")
        << kEmptyRow << 1 << "146.00625" << channel("146.00625", "146.00625") << kRow << 2;
    QTest::newRow("below the limits")
        << kEmptyRow << 1 << "100" << channel("136.00000", "136.00000") << kRow << 2;
    QTest::newRow("above the limits")
        << kEmptyRow << 1 << "999" << channel("174.00000", "174.00000") << kRow << 2;
    QTest::newRow("zero empties the row") << kFullRow << 1 << "0" << kEmptyRow << kRow << 2;
    QTest::newRow("full stop empties the row") << kFullRow << 1 << "." << kEmptyRow << kRow << 2;
    QTest::newRow("cleared, row below") << kFullRow << 1 << "\b" << kEmptyRow << kRow + 1 << 1;
}

void ChannelGridEditorTest::typedFrequencyCommits() {
    QFETCH(QStringList, before);
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    QFETCH(int, nextRow);
    QFETCH(int, nextCol);
    SetRow(kRow, before);
    GoTo(kRow, col);
    Key(Qt::Key_Return);
    QCOMPARE(OpenEditor(), &Editors().FrequencyEditor());
    QTest::keyClicks(OpenEditor(), typed);
    Key(Qt::Key_Return);
    QCOMPARE(RowTexts(kRow), after);
    QCOMPARE(Current(), qMakePair(nextRow, nextCol));
    QVERIFY(Grid().hasFocus());
    QVERIFY(Editors().FrequencyEditor().isHidden());
}

void ChannelGridEditorTest::editingStartsWhereTheRowAllows_data() {
    QTest::addColumn<bool>("full");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("how");  // "click", "Enter" or a typed character
    QTest::addColumn<QString>("editor");
    QTest::addColumn<int>("editCol");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("highLight");
    QTest::newRow("click Busy Lock, empty row") << false << 5 << "click"
                                                << "frequencyEditor" << 1 << "" << 0;
    QTest::newRow("click Busy Lock") << true << 5 << "click"
                                     << "listEditor" << 5 << "Carrier" << 0;
    QTest::newRow("click Name") << true << 10 << "click"
                                << "nameEditor" << 10 << "CALL" << 0;
    QTest::newRow("click channel number") << true << 0 << "click"
                                          << "" << 0 << "" << 2;
    QTest::newRow("Enter on Tx Code, empty row") << false << 4 << "Enter"
                                                 << "frequencyEditor" << 1 << "" << 0;
    QTest::newRow("7 on Tx Power") << true << 6 << "7"
                                   << "" << 0 << "" << 0;
    QTest::newRow("7 on Name, empty row") << false << 10 << "7"
                                          << "frequencyEditor" << 1 << "7" << 0;
    QTest::newRow("7 on Tx Frequency") << true << 2 << "7"
                                       << "frequencyEditor" << 2 << "7" << 0;
    QTest::newRow("letter on Tx Frequency") << true << 2 << "a"
                                            << "" << 0 << "" << 0;
}

void ChannelGridEditorTest::editingStartsWhereTheRowAllows() {
    QFETCH(bool, full);
    QFETCH(int, col);
    QFETCH(QString, how);
    QFETCH(QString, editor);
    QFETCH(int, editCol);
    QFETCH(QString, text);
    QFETCH(int, highLight);
    SetRow(kRow, full ? kFullRow : kEmptyRow);
    GoTo(kRow, col == 0 ? 1 : col);
    if (how == QLatin1String("click")) {
        gui_test::ClickCell(Grid(), kRow, col);
    } else if (how == QLatin1String("Enter")) {
        Key(Qt::Key_Return);
    } else {
        QTest::keyClicks(&Grid(), how);
    }
    QCOMPARE(Grid().HighLight(), highLight);
    QWidget* open = OpenEditor();
    QCOMPARE(open != nullptr ? open->objectName() : QString(), editor);
    if (open == nullptr) {
        QCOMPARE(RowTexts(kRow), full ? kFullRow : kEmptyRow);
        return;
    }
    QCOMPARE(Current(), qMakePair(kRow, editCol));
    QVERIFY(Grid()
                .CellRect(kRow, editCol)
                .contains(open->geometry().center() + Grid().viewport()->pos()));
    if (auto* line = qobject_cast<QLineEdit*>(open)) {
        QCOMPARE(line->text(), text);
        // Typing starts a new text after the one digit, or replaces the cell's.
        QCOMPARE(line->selectedText(), text.size() == 1 ? QString() : text);
        QCOMPARE(line->cursorPosition(), text.size());
    } else {
        QCOMPARE(qobject_cast<QComboBox*>(open)->currentText(), text);
    }
}

void ChannelGridEditorTest::frequencyEditorTakesOnlyANumber_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("digit") << int(Qt::Key_5) << 0 << "15";
    QTest::newRow("Shift+8 as asterisk") << int(Qt::Key_Asterisk) << shift << "1";
    QTest::newRow("Shift+8 as digit") << int(Qt::Key_8) << shift << "1";
    QTest::newRow("keypad digit, Shift") << int(Qt::Key_7) << (keypad | shift) << "17";
    QTest::newRow("keypad comma") << int(Qt::Key_Comma) << keypad << "1.";
    QTest::newRow("letter") << int(Qt::Key_A) << 0 << "1";
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << ctrl << "1";
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << "1";
    QTest::newRow("Up") << int(Qt::Key_Up) << 0 << "1";
}

void ChannelGridEditorTest::frequencyEditorTakesOnlyANumber() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QAction save;
    save.setShortcut(QKeySequence::Save);
    view_->addAction(&save);
    QSignalSpy saves(&save, &QAction::triggered);
    QGuiApplication::clipboard()->setText(QStringLiteral("99"));
    SetRow(kRow, kFullRow);
    GoTo(kRow, 1);
    QTest::keyClicks(&Grid(), QStringLiteral("1"));
    Key(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(OpenEditor(), &Editors().FrequencyEditor());
    QCOMPARE(Editors().FrequencyEditor().text(), text);
    QCOMPARE(Current(), qMakePair(kRow, 1));
    QCOMPARE(saves.count(), 0);
    QCOMPARE(Editors().FrequencyEditor().contextMenuPolicy(), Qt::NoContextMenu);
}

void ChannelGridEditorTest::listAndNameCommitWithEnter_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");  // "v" steps down the list
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("nextRow");
    QTest::addColumn<int>("nextCol");
    QTest::newRow("list next item") << kRow << 5 << "v"
                                    << "Tone" << kRow << 6;
    QTest::newRow("name upper-cased") << kRow << 10 << "ab-1 x.yz"
                                      << "AB-1 XYZ" << kRow + 1 << 1;
    QTest::newRow("name of 8 at most") << kRow << 10 << "abcdefghij"
                                       << "ABCDEFGH" << kRow + 1 << 1;
    QTest::newRow("name on the last row") << 128 << 10 << "z"
                                          << "Z" << 128 << 10;
}

void ChannelGridEditorTest::listAndNameCommitWithEnter() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    QFETCH(int, nextRow);
    QFETCH(int, nextCol);
    SetRow(row, kFullRow);
    GoTo(row, col);
    Key(Qt::Key_Return);
    QVERIFY(OpenEditor() != nullptr);
    if (typed == QLatin1String("v")) {
        Key(Qt::Key_Down);
    } else {
        QTest::keyClicks(OpenEditor(), typed);
    }
    Key(Qt::Key_Return);
    QCOMPARE(Grid().TextMatrix(row, col), cell);
    QCOMPARE(Current(), qMakePair(nextRow, nextCol));
    QVERIFY(Grid().hasFocus());
}

void ChannelGridEditorTest::arrowsWrapBetweenRows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("nextRow");
    QTest::addColumn<int>("nextCol");
    QTest::newRow("Right from Name") << 5 << 10 << int(Qt::Key_Right) << 6 << 1;
    QTest::newRow("Right on the last row") << 128 << 10 << int(Qt::Key_Right) << 128 << 10;
    QTest::newRow("Right inside a row") << 5 << 3 << int(Qt::Key_Right) << 5 << 4;
    QTest::newRow("Left from Rx Frequency") << 6 << 1 << int(Qt::Key_Left) << 5 << 10;
    QTest::newRow("Left on the first row") << 1 << 1 << int(Qt::Key_Left) << 1 << 1;
}

void ChannelGridEditorTest::arrowsWrapBetweenRows() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, key);
    QFETCH(int, nextRow);
    QFETCH(int, nextCol);
    GoTo(row, col);
    Key(key);
    QCOMPARE(Current(), qMakePair(nextRow, nextCol));
}

void ChannelGridEditorTest::commitLandsOnTheEditedCell_data() {
    QTest::addColumn<QString>("leave");
    QTest::addColumn<QString>("edited");  // the name cell of row 3 afterwards
    QTest::newRow("focus moves away") << "focus"
                                      << "XY";
    QTest::newRow("click on another cell") << "click"
                                           << "XY";
    QTest::newRow("encoding the image") << "encode"
                                        << "XY";
    QTest::newRow("a new document") << "new"
                                    << "";
}

void ChannelGridEditorTest::commitLandsOnTheEditedCell() {
    QFETCH(QString, leave);
    QFETCH(QString, edited);
    for (int row = 1; row <= 8; ++row) {
        SetRow(row, kFullRow);
    }
    GoTo(3, 10);
    Key(Qt::Key_Return);
    QTest::keyClicks(OpenEditor(), QStringLiteral("xy"));
    // The grid's current cell may move before the editor loses the focus.
    Grid().SetRow(7);
    if (leave == QLatin1String("focus")) {
        view_->PasswordEdit().setFocus();
    } else if (leave == QLatin1String("click")) {
        gui_test::ClickCell(Grid(), 8, 10);
    } else if (leave == QLatin1String("encode")) {
        view_->EncodeImage();
    } else {
        image_.ResetToNewDocument();
        view_->OnInitialUpdate();
        view_->PasswordEdit().setFocus();
    }
    Settle();
    QCOMPARE(Grid().TextMatrix(3, 10), edited);
    QCOMPARE(Grid().TextMatrix(7, 10), leave == QLatin1String("new") ? QString() : "CALL");
    QVERIFY(Editors().NameEditor().isHidden() == (leave != QLatin1String("click")));
    if (leave == QLatin1String("encode")) {
        QCOMPARE(image_[0x850 + 2 * 8], 0x21);  // 'X' of channel 3's name
        QVERIFY(Grid().hasFocus());
    }
}

void ChannelGridEditorTest::addAndDeleteMoveChannels_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("names");
    const QList<int> rows = {1, 2, 3, 4, 127, 128};
    QTest::newRow("Add on 3") << "Add" << 3 << rows << QStringList{"1", "2", "", "3", "126", "127"};
    QTest::newRow("Delete on 3") << "Delete" << 3 << rows
                                 << QStringList{"1", "2", "4", "5", "128", ""};
    QTest::newRow("Add on 128") << "Add" << 128 << rows
                                << QStringList{"1", "2", "3", "4", "127", ""};
    QTest::newRow("Delete on 1") << "Delete" << 1 << rows
                                 << QStringList{"2", "3", "4", "5", "128", ""};
}

void ChannelGridEditorTest::addAndDeleteMoveChannels() {
    QFETCH(QString, button);
    QFETCH(int, row);
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, names);
    for (int r = 1; r <= 128; ++r) {
        QStringList channel = kFullRow;
        channel[9] = QString::number(r);
        SetRow(r, channel);
    }
    GoTo(row, 2);
    for (QPushButton* push : view_->findChildren<QPushButton*>()) {
        if (push->text() == button) {
            QTest::mouseClick(push, Qt::LeftButton);
        }
    }
    QStringList shown;
    for (const int r : rows) {
        shown << Grid().TextMatrix(r, 10);
    }
    QCOMPARE(shown, names);
    QVERIFY(Grid().hasFocus());
}

void ChannelGridEditorTest::wheelPagesOnlyWithFocus_data() {
    QTest::addColumn<bool>("gridFocus");
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<int>("pages");
    QTest::newRow("notch down") << true << QList<int>{-120} << 1;
    QTest::newRow("notch up") << true << QList<int>{120} << -1;
    QTest::newRow("half a notch") << true << QList<int>{-60} << 0;
    QTest::newRow("two halves") << true << QList<int>{-60, -60} << 1;
    QTest::newRow("without focus") << false << QList<int>{-120} << 0;
}

void ChannelGridEditorTest::wheelPagesOnlyWithFocus() {
    QFETCH(bool, gridFocus);
    QFETCH(QList<int>, deltas);
    QFETCH(int, pages);
    QScrollBar& bar = *Grid().verticalScrollBar();
    bar.setValue(2 * bar.pageStep());
    if (gridFocus) {
        Grid().setFocus();
    } else {
        view_->PasswordEdit().setFocus();
    }
    QWidget* viewport = Grid().viewport();
    const QPointF at = viewport->rect().center();
    for (const int delta : deltas) {
        QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
    }
    QCOMPARE(bar.value(), (2 + pages) * bar.pageStep());
}

void ChannelGridEditorTest::toneCellsOpenTheToneDialog_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("cell");
    QTest::newRow("click, pick CTCSS 88.5")
        << 3 << "click" << QStringList{"mode CTCSS", "cell 8 0"} << "CTCSS:88.5";
    QTest::newRow("Enter, pick by keys")
        << 4 << "Enter" << QStringList{"mode CDCSSI", "Down", "Return"} << "CDCSS:025I";
    QTest::newRow("Escape keeps the cell")
        << 3 << "Enter" << QStringList{"Escape"} << "CTCSS:88.5";
}

void ChannelGridEditorTest::toneCellsOpenTheToneDialog() {
    QFETCH(int, col);
    QFETCH(QString, how);
    QFETCH(QStringList, steps);
    QFETCH(QString, cell);
    SetRow(kRow, kFullRow);
    GoTo(kRow, col);
    gui_test::AnswerToneDialog(steps);
    if (how == QLatin1String("click")) {
        gui_test::ClickCell(Grid(), kRow, col);
    } else {
        Key(Qt::Key_Return);
    }
    QCOMPARE(Grid().TextMatrix(kRow, col), cell);
    QCOMPARE(Current(), qMakePair(kRow, col));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(OpenEditor() == nullptr);
}

QTEST_MAIN(ChannelGridEditorTest)
#include "ChannelGridEditorTest.moc"
