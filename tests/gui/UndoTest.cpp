// Undo and redo in the window: every kind of step the user takes comes back
// exactly, byte for byte, with Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z; the saved
// state and New, Open and Save play their part.
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>

#include "GuiTestSupport.h"
#include "app/CProgramDoc.h"
#include "app/Commands.h"
#include "app/FileCommands.h"
#include "model/ImageLayout.h"
#include "model/PasswordCodec.h"
#include "tests/RadioOnPty.h"
#include "tools/SimulatorSettings.h"

using namespace torvan;

using gui_test::Key;

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        w_ = std::make_unique<gui_test::Window>();
        QVERIFY(w_->Start());
        gui_test::WaitActive(Frame());
        path_ = w_->WriteCrafted(QStringLiteral("crafted.sin"));
    }

    void cleanup() { w_.reset(); }

    // Each row: open the file, take the step, undo it, redo it; the form's
    // encoding before, after and in between, and what the status bar says.
    void eachStepUndoesAndRedoes() {
        CMSFlexGrid& grid = View().ChannelGrid();
        const auto cell = [&](int row, int col) {
            grid.setFocus();
            grid.SetRow(row);
            grid.SetCol(col);
        };
        const auto click = [this](const char* name) {
            QTest::mouseClick(&gui_test::Child<QPushButton>(View(), name), Qt::LeftButton);
        };
        const auto dialog = [this](int id, const QStringList& steps) {
            gui_test::AnswerDialog(steps);
            Frame().Action(id)->trigger();
        };
        const std::pair<const char*, std::function<void()>> rows[] = {
            {"Edit channel 1 Name",
             [&] {
                 cell(1, 10);
                 Key(Qt::Key_Return);
                 gui_test::TypeText(QStringLiteral("NEW"));
                 Key(Qt::Key_Return);
             }},
            {"Change Beep",
             [&] {
                 View().Combo(Setting::Beep).setFocus();
                 Key(Qt::Key_Up);
             }},
            {"Add channel 1", [&] { cell(1, 3), click("addButton"); }},
            {"Delete channel 1", [&] { cell(1, 3), click("deleteButton"); }},
            {"Edit channel 1 Rx Code",
             [&] {
                 cell(1, 3);
                 gui_test::AnswerDialog({"Down", "Return"});
                 Key(Qt::Key_Return);
             }},
            {"Side Key",
             [&] { dialog(command::kEditSideKey, {"focus key1ShortList", "Home", "click OK"}); }},
            {"DTMF", [&] { dialog(command::kEditDtmf, {"focus pttIdEdit", "type 77", "click OK"}); }},
            {"Radio", [&] { dialog(command::kEditRadio, {"Return", "type 88.1", "Return", "close"}); }},
        };
        for (const auto& [label, step] : rows) {
            QVERIFY(Frame().Files().OpenPath(path_));
            const MemoryImage before = View().ShownImage();
            step();
            gui_test::WaitActive(Frame());
            const MemoryImage after = View().ShownImage();
            QVERIFY2(after != before, label);
            cell(5, 1);  // away from the change, which the redo shows again
            UndoRedo(label, before, after);
            const bool inGrid = std::string_view(label).find("channel 1") != std::string_view::npos;
            QVERIFY2(!inGrid || grid.Row() == 1, label);
        }
    }

    // A Read is undone to the form as it was when it started, the typed
    // password included.
    void readUndoesAndRedoes() {
        MemoryImage memory = sim::PatternMemory(11);
        EncodePasswordBytes("4321", memory);
        const MemoryImage crafted = gui_test::CraftedImage(w_->folder.IniPath());
        std::copy_n(crafted.bytes().begin() + offset::kBandSignature, 3,
                    memory.bytes().begin() + offset::kBandSignature);
        testing_support::RadioOnPty radio(memory);
        w_->folder.WriteIni(gui_test::kProfiles + "COM=" + QByteArray::fromStdString(radio.Path()) +
                            "\n");
        QVERIFY(w_->Start({QStringLiteral("torvan-encoder"), path_}));
        gui_test::WaitActive(Frame());
        View().PasswordEdit().setText(QStringLiteral("4321"));
        const MemoryImage before = View().ShownImage();
        gui_test::AnswerDialog({"click Start"});
        Frame().Action(command::kProgramRead)->trigger();
        gui_test::WaitActive(Frame());
        QCOMPARE(w_->Image(), memory);
        UndoRedo("Read", before, View().ShownImage());
    }

    // Undone past a save the document is changed again, redone it is not;
    // New and Open start an empty history.
    void savedStateAndNewHistory() {
        QVERIFY(Frame().Files().OpenPath(path_));
        View().Combo(Setting::Beep).setFocus();
        Key(Qt::Key_Up);
        Key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!Doc().IsModified(View().ShownImage()));
        Key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(Doc().IsModified(View().ShownImage()));
        Key(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(!Doc().IsModified(View().ShownImage()));
        Frame().Action(command::kFileNew)->trigger();
        Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Frame().statusBar()->currentMessage(), QStringLiteral("Undo: nothing to undo"));
    }

private:
    CMainFrame& Frame() const { return w_->Frame(); }
    CProgramView& View() const { return w_->View(); }
    CProgramDoc& Doc() const { return w_->app->Document(); }

    void UndoRedo(const char* label, const MemoryImage& before, const MemoryImage& after) {
        View().ChannelGrid().setFocus();
        Key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(View().ShownImage() == before && w_->Image() == before, label);
        QCOMPARE(Frame().statusBar()->currentMessage(), QStringLiteral("Undo: ") + label);
        Key(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY2(View().ShownImage() == after, label);
        Key(Qt::Key_Z, Qt::ControlModifier);
        Key(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
        QVERIFY2(View().ShownImage() == after && w_->Image() == after, label);
        QCOMPARE(Frame().statusBar()->currentMessage(), QStringLiteral("Redo: ") + label);
    }

    std::unique_ptr<gui_test::Window> w_;
    QString path_;
};

GUI_TEST_MAIN(UndoTest)
#include "UndoTest.moc"
