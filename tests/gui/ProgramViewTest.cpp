// The form view: the settings panel and the channel grid over the core's
// image codecs, the grid edited in place with keys and clicks (the core's
// tests cover what a commit writes; these show that the editors, keys and
// buttons lead there), and the grid control itself.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <array>
#include <cmath>
#include <numeric>

#include "GuiTestSupport.h"
#include "dialogs/CToneDlg.h"
#include "editor/ChannelGridSetup.h"
#include "tools/SimulatorSettings.h"

using namespace torvan;

using gui_test::Key;
using torvan::Setting;

namespace {

constexpr int kRow = 5;

using Cell = QPair<int, int>;  // row, column

const torvan::ChannelRow kFullRow = {"",     "145.00000", "145.00000", "CTCSS:88.5",
                                     "None", "Carrier",   "Low",       "Narrow",
                                     "No",   "Both",      "CALL"};
const torvan::ChannelRow kEmptyRow{};

torvan::ChannelRow With(torvan::ChannelRow row, int col, const std::string& text) {
    row[static_cast<std::size_t>(col)] = text;
    return row;
}

QStringList Items(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) {
        items << combo.itemText(i);
    }
    return items;
}

}  // namespace

class ProgramViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        folder_.WriteIni(gui_test::kProfiles);
        image_.ResetToNewDocument();
        view_ = std::make_unique<CProgramView>(image_, session_, folder_.IniPath(), PickTone);
        view_->OnInitialUpdate();
        view_->resize(1000, 700);
        view_->show();
        gui_test::WaitActive(*view_);
    }

    void cleanup() { view_.reset(); }

    // However often File New updates the view, every list under its label
    // holds the core's entries once; the view shows and stores an image (one
    // as the program saves them, one of stray bytes) as the core's codecs do.
    void decodesAndEncodesLikeTheCore() {
        for (const torvan::MemoryImage& image :
             {gui_test::CraftedImage(folder_.IniPath()), torvan::sim::PatternMemory(1)}) {
            image_ = image;
            View().OnInitialUpdate();  // as File New does, again
            View().OnInitialUpdate();
            torvan::MemoryForm form;
            const torvan::FrequencyLimits limits =
                gui_test::Decode(image_, folder_.IniPath(), form);
            QCOMPARE(session_.Limits(), limits);
            QCOMPARE(gui_test::FormTexts(View()), gui_test::FormTexts(form));
            const auto labels = View().findChildren<QLabel*>();
            for (int i = 0; i < torvan::kSettingCount; ++i) {
                const auto setting = static_cast<Setting>(i);
                const QComboBox* combo = &View().Combo(setting);
                QStringList entries;
                for (int e = 0; e < form.List(setting).Count(); ++e) {
                    entries << QString::fromStdString(form.List(setting).EntryText(e));
                }
                QCOMPARE(Items(*combo), entries);
                QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const QLabel* label) {
                    return label->buddy() == combo &&
                           label->text().toStdString() == SettingLabel(setting);
                }));
            }
            torvan::MemoryImage expected = image_;
            torvan::EncodeImage(form, limits, expected);
            View().EncodeImage();
            QCOMPARE(gui_test::ToBytes(image_), gui_test::ToBytes(expected));
        }
    }

    // A new model offers its own ranges and sets their limits.
    void modelPickSetsTheLimits() {
        const QSignalSpy changed(&session_, &torvan::SessionState::LimitsChanged);
        View().Combo(Setting::Model).setCurrentIndex(1);
        QCOMPARE(Items(View().Combo(Setting::FrequencyRange)), QStringList{"400-470MHz"});
        QCOMPARE(session_.Limits(), (torvan::FrequencyLimits{40000000, 47000000}));
        QCOMPARE(changed.count(), 1);
    }

    // In a 1024 or a 1920 px wide window the grid's columns share the room
    // in the proportions they were set up with, all eleven in view.
    void gridColumnsShareTheWidth() {
        const auto widths = [](const CMSFlexGrid& grid) {
            std::vector<double> px;
            for (int col = 0; col < 11; ++col) {
                px.push_back(grid.ColWidth(col) / grid.TwipsPerPixelX());
            }
            return px;
        };
        CMSFlexGrid setUp;  // unshown, so never fitted
        SetUpChannelGrid(setUp);
        const std::vector<double> design = widths(setUp);
        const double designTotal = std::accumulate(design.begin(), design.end(), 0.0);
        CMSFlexGrid& grid = View().ChannelGrid();
        for (const QSize size : {QSize(1000, 640), QSize(1900, 960)}) {
            View().resize(size);
            QCoreApplication::processEvents();  // the layout reaches the grid
            const double room = grid.viewport()->width() + grid.verticalHeader()->width();
            const std::vector<double> px = widths(grid);
            QCOMPARE(std::accumulate(px.begin(), px.end(), 0.0), room);
            for (std::size_t col = 0; col < px.size(); ++col) {
                QVERIFY2(std::abs(px[col] - design[col] * room / designTotal) <= 1.0,
                         qPrintable(QString::number(col)));
            }
            QTRY_VERIFY(!grid.horizontalScrollBar()->isVisible());
        }
    }

    void passwordTakesSixDigits() {
        QTest::keyClicks(&View().PasswordEdit(), QStringLiteral("1a2-3 .45678"));
        QCOMPARE(View().PasswordEdit().text(), QStringLiteral("123456"));
    }

    // Enter commits (the picked range clamps, a name keeps what the radio
    // can store) and moves on: along the row, or down after a cleared
    // frequency or the name.
    void enterCommitsAndMovesOn() {
        for (const auto& [col, range, typed, after, next] :
             {std::tuple{2, 1, "150", With(kFullRow, 2, "148.00000"), Cell(kRow, 3)},
              {1, 0, "\b", kEmptyRow, Cell(kRow + 1, 1)},
              {10, 0, "ab-1 x.yzq", With(kFullRow, 10, "AB-1 XYZ"), Cell(kRow + 1, 1)}}) {
            SetRow(kRow, kFullRow);
            view_->Combo(torvan::Setting::FrequencyRange).setCurrentIndex(range);
            GoTo(kRow, col);
            Key(Qt::Key_Return);
            QVERIFY(Editor() != nullptr);
            QTest::keyClicks(Editor(), QString::fromLatin1(typed));
            Key(Qt::Key_Return);
            QCOMPARE(RowTexts(kRow), after);
            QCOMPARE(Current(), next);
            QVERIFY(Grid().hasFocus());
            QCOMPARE(Editor(), nullptr);
        }
    }

    // A click or a typed character on a cell of a full or an empty row: the
    // cell that then has the keyboard, and the editor shown ("name:text").
    void editingStartsWhereTheRowAllows() {
        const std::tuple<bool, int, QString, int, QString> rows[] = {
            {false, 5, "click", 1, "frequencyEditor:"},  // Busy Lock, empty row
            {true, 5, "click", 5, "listEditor:Carrier"},
            {true, 0, "click", 1, ""},                 // the channel number
            {true, 6, "7", 6, ""},                     // Tx Power
            {false, 10, "7", 1, "frequencyEditor:7"},  // Name, empty row
            {true, 2, "7", 2, "frequencyEditor:7"},
            {true, 2, "a", 2, ""},
        };
        for (const auto& [full, col, how, editCol, shown] : rows) {
            init();  // a fresh view for each
            SetRow(kRow, full ? kFullRow : kEmptyRow);
            if (how == QLatin1String("click")) {
                GoTo(1, 1);
                gui_test::ClickCell(Grid(), kRow, col);
            } else {
                GoTo(kRow, col);
                QTest::keyClicks(&Grid(), how);
            }
            QCOMPARE(Current(), Cell(kRow, editCol));
            QCOMPARE(Shown(), shown);
            // A click on a channel number marks the row while the grid has the keyboard.
            QCOMPARE(Grid().HighLight(), col == 0 ? CMSFlexGrid::HighLightMode::WithFocus
                                                  : CMSFlexGrid::HighLightMode::Never);
            if (QWidget* editor = Editor()) {
                QVERIFY(editor->hasFocus());
                // Over its cell, also once the window has grown and the columns with it.
                for (const int width : {1000, 1600}) {
                    view_->resize(width, 700);
                    QCOMPARE(editor->width() + 1,
                             Grid().ColWidth(editCol) / Grid().TwipsPerPixelX());
                    QVERIFY(Grid()
                                .CellRect(kRow, editCol)
                                .contains(editor->geometry().center() + Grid().viewport()->pos()));
                }
            } else {
                QCOMPARE(RowTexts(kRow), full ? kFullRow : kEmptyRow);
            }
        }
    }

    // Shift-held main-keyboard digits and menu accelerators do nothing;
    // keypad digits count and the keypad's comma is a full stop. The keys
    // typed after "1", and what the editor keeps.
    void frequencyEditorTakesOnlyANumber() {
        QAction save;
        save.setShortcut(QKeySequence::Save);
        view_->addAction(&save);
        QSignalSpy saves(&save, &QAction::triggered);
        QGuiApplication::clipboard()->setText(QStringLiteral("99"));
        for (const auto& [typed, kept] : {std::pair{"Shift+8", "1"},
                                          {"Shift+Num+7", "17"},
                                          {"Num+,", "1."},
                                          {"Ctrl+V", "1"},
                                          {"Ctrl+S", "1"}}) {
            SetRow(kRow, kFullRow);
            GoTo(kRow, 1);
            QTest::keyClicks(&Grid(), QStringLiteral("1"));
            const QKeyCombination keys = QKeySequence(QString::fromLatin1(typed))[0];
            QVERIFY(keys.key() != Qt::Key_unknown);
            Key(keys.key(), keys.keyboardModifiers());
            QCOMPARE(Shown(), "frequencyEditor:" + QString::fromLatin1(kept));
            QCOMPARE(Current(), Cell(kRow, 1));
            Key(Qt::Key_Escape);
        }
        QCOMPARE(saves.count(), 0);
    }

    void arrowsWrapBetweenRows() {
        for (const auto& [from, key, to] : {std::tuple{Cell{5, 10}, Qt::Key_Right, Cell{6, 1}},
                                            {Cell{128, 10}, Qt::Key_Right, Cell{128, 10}},
                                            {Cell{6, 1}, Qt::Key_Left, Cell{5, 10}},
                                            {Cell{1, 1}, Qt::Key_Left, Cell{1, 1}}}) {
            GoTo(from.first, from.second);
            Key(key);
            QCOMPARE(Current(), to);
        }
    }

    void commitLandsOnTheEditedCellUntilTheGridIsRefilled() {
        for (int row = 1; row <= 8; ++row) {
            SetRow(row, kFullRow);
        }
        view_->EncodeImage();
        GoTo(3, 10);
        Key(Qt::Key_Return);
        QTest::keyClicks(Editor(), QStringLiteral("xy"));
        Key(Qt::Key_Down);  // unused by the editor, and not the grid's while it is open
        QCOMPARE(Current(), Cell(3, 10));
        // The grid's current cell may move before the editor loses the focus.
        Grid().SetRow(7);
        gui_test::ClickCell(Grid(), 8, 10);
        QCOMPARE(Grid().TextMatrix(3, 10), QStringLiteral("XY"));
        QCOMPARE(Grid().TextMatrix(7, 10), QStringLiteral("CALL"));
        QCOMPARE(Shown(), QStringLiteral("nameEditor:CALL"));
        // File Open (here of the channels as they were) drops an edit left open.
        QTest::keyClicks(Editor(), QStringLiteral("zz"));
        view_->OnInitialUpdate();
        view_->PasswordEdit().setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(RowTexts(3), kFullRow);
        QCOMPARE(RowTexts(8), kFullRow);
        QCOMPARE(Shown(), QString());
    }

    // Add and Delete act on the current row and give the grid the keyboard back.
    void addAndDeleteTheCurrentRow() {
        for (int row = 1; row <= 3; ++row) {
            SetRow(row, With(kFullRow, 10, std::to_string(row)));
        }
        QStringList names;
        for (const char* button : {"Add", "Delete", "Delete"}) {
            GoTo(2, 2);
            gui_test::ClickButton(*view_, QString::fromLatin1(button));
            QVERIFY(Grid().hasFocus());
            names << Grid().TextMatrix(2, 10);
        }
        QCOMPARE(names, (QStringList{"", "2", "3"}));
    }

    // While the grid has the keyboard, each whole notch turns a page.
    void wheelPagesOnlyWithFocus() {
        QScrollBar& bar = *Grid().verticalScrollBar();
        const auto turn = [&](int delta) {
            gui_test::Wheel(Grid(), delta);
            return bar.value() / bar.pageStep();
        };
        Grid().setFocus();
        QCOMPARE(turn(-120), 1);
        QCOMPARE(turn(-60), 1);
        QCOMPARE(turn(-60), 2);
        QCOMPARE(turn(120), 1);
        view_->PasswordEdit().setFocus();
        QCOMPARE(turn(-120), 1);
    }

    // A click on a tone cell opens the Tone Setting dialog; Escape keeps the cell.
    void toneCellsOpenTheToneDialog() {
        SetRow(kRow, kFullRow);
        for (const auto& [col, steps] :
             {std::pair{3, QStringList{"Escape"}}, {4, QStringList{"click CTCSS", "cell 8 0"}}}) {
            GoTo(1, 1);
            gui_test::AnswerDialog(steps);
            gui_test::ClickCell(Grid(), kRow, col);
            QCOMPARE(Current(), Cell(kRow, col));
            QVERIFY(QApplication::activeModalWidget() == nullptr);
            QCOMPARE(Editor(), nullptr);
        }
        QCOMPARE(RowTexts(kRow), With(kFullRow, 4, "CTCSS:88.5"));
    }

    // A text written with the usual fixed row and column stays in its cell when
    // the fixed counts change; cells outside the grid take nothing.
    void textsKeepTheirCells() {
        const std::array<int, 4> cases[] = {{1, 1, 0, 0},  {1, 1, 0, 3}, {1, 1, 4, 0},
                                            {1, 1, 9, 5},  {0, 0, 0, 0}, {0, 1, 0, 2},
                                            {1, 1, 10, 1}, {0, 0, 1, -1}};
        for (const auto& [fixedRows, fixedCols, row, col] : cases) {
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
    }

    // Widths are in twips, the fixed column's too (no part of the program
    // reads cell positions: an editor's place is the editing test's).
    void sizesAreInTwips() {
        CMSFlexGrid grid;
        grid.SetRows(20);
        grid.SetCols(4);
        const int tpp = grid.TwipsPerPixelX();
        grid.SetColWidth(0, 500);
        grid.SetColWidth(2, 2000);
        QVERIFY(qAbs(grid.ColWidth(2) - 2000) < tpp);
        QCOMPARE(grid.verticalHeader()->maximumWidth() * tpp, grid.ColWidth(0));
    }

private:
    CProgramView& View() { return *view_; }
    CMSFlexGrid& Grid() { return view_->ChannelGrid(); }
    torvan::ChannelRow RowTexts(int row) { return gui_test::RowTexts(Grid(), row); }
    void SetRow(int row, const torvan::ChannelRow& texts) {
        torvan::GridCellTable cells(Grid());
        torvan::SetGridRow(cells, row, texts);
    }
    void GoTo(int row, int col) {
        Grid().setFocus();
        Grid().SetRow(row);
        Grid().SetCol(col);
    }
    Cell Current() { return {Grid().Row(), Grid().Col()}; }
    // The editor shown over the grid, if any.
    QWidget* Editor() {
        const auto editors = Grid().viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        const auto shown = std::find_if(editors.begin(), editors.end(),
                                        [](const QWidget* editor) { return editor->isVisible(); });
        return shown != editors.end() ? *shown : nullptr;
    }
    // The shown editor and its text as "name:text"; empty when none is shown.
    QString Shown() {
        QWidget* editor = Editor();
        if (editor == nullptr) {
            return {};
        }
        const auto* line = qobject_cast<QLineEdit*>(editor);
        return editor->objectName() + QLatin1Char(':') +
               (line != nullptr ? line->text() : qobject_cast<QComboBox*>(editor)->currentText());
    }

    gui_test::TestFolder folder_;
    torvan::MemoryImage image_;
    torvan::SessionState session_;
    std::unique_ptr<CProgramView> view_;
};

GUI_TEST_MAIN(ProgramViewTest)
#include "ProgramViewTest.moc"
