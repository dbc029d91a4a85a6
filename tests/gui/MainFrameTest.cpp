#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "GuiTestSupport.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "app/FileCommands.h"
#include "app/RecentFileList.h"
#include "editor/CMSFlexGrid.h"
#include "editor/CProgramView.h"
#include "tests/RefusingPlace.h"

using gui_test::Key;
using torvan::Setting;
using torvan::testing_support::Refusal;

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        folder_ = std::make_unique<gui_test::TestFolder>();
        folder_->WriteIni(gui_test::kProfiles);
        prompts_ = {};
        Start();
        gui_test::WaitActive(Frame());
    }

    void cleanup() {
        app_.reset();
        folder_.reset();
    }

    // The newest first, each file once, at most four, and kept across runs.
    void recentFilesKeepTheNewestFourOnce() {
        RecentFileList recent;
        for (const char* name : {"a.sin", "b.sin", "a.sin", "c.sin", "d.sin", "e.sin", "d.sin"}) {
            recent.Add(folder_->File(QString::fromLatin1(name)));
        }
        QStringList expected;
        for (const char* name : {"d.sin", "e.sin", "c.sin", "a.sin"}) {
            expected << QFileInfo(folder_->File(QString::fromLatin1(name))).absoluteFilePath();
        }
        QCOMPARE(recent.Files(), expected);
        QSettings settings(folder_->File(QStringLiteral("recent.ini")), QSettings::IniFormat);
        recent.Save(settings);
        RecentFileList reloaded;
        reloaded.Load(settings);
        QCOMPARE(reloaded.Files(), expected);
    }

    void windowFitsTheScreen() {
        const QRect screen = Frame().screen()->availableGeometry();
        QVERIFY(Frame().isVisible());
        QVERIFY(Frame().width() <= screen.width());
        // Shrunk to the form, which is less tall than the screen, and centred.
        QVERIFY(Frame().height() < screen.height());
        QVERIFY(qAbs(Frame().frameGeometry().center().y() - screen.center().y()) <= 1);
    }

    void openShowsTheFileAndKeepsTheTitle() {
        prompts_.openAnswers << WriteCrafted(QStringLiteral("crafted.sin"));
        Trigger(command::kFileOpen);
        QVERIFY(prompts_.errors.isEmpty());
        QCOMPARE(Frame().windowTitle(), QStringLiteral("Torvan PC Encoder"));
        QCOMPARE(View().Combo(Setting::ScanMode).currentText(), QStringLiteral("SE"));
        QCOMPARE(View().Combo(Setting::FrequencyRange).currentText(), QStringLiteral("144-148MHz"));
        QCOMPARE(View().ChannelGrid().TextMatrix(128, 10), QStringLiteral("LAST"));
        QCOMPARE(app_->Limits(), (torvan::FrequencyLimits{14400000, 14800000}));
    }

    void saveWritesWhatTheCoreEncodes() {
        const QString path = WriteCrafted(QStringLiteral("crafted.sin"));
        const QByteArray original = folder_->Read(QStringLiteral("crafted.sin"));
        QVERIFY(Frame().Files().OpenPath(path));
        Trigger(command::kFileSave);
        // Nothing was edited, so the file comes back byte for byte.
        QCOMPARE(folder_->Read(QStringLiteral("crafted.sin")), original);
        // An edit reaches the file as the core's encode of the edited form.
        View().Combo(Setting::Beep).setCurrentIndex(0);
        Trigger(command::kFileSave);
        torvan::MemoryImage expected = gui_test::CraftedImage(folder_->IniPath());
        torvan::MemoryForm form;
        torvan::FrequencyLimits limits;
        torvan::DecodeImage(
            expected, torvan::ReadModelCatalog(torvan::IniStore(folder_->IniPath())), form, limits);
        gui_test::SelectText(form.List(Setting::Beep), "On");
        torvan::EncodeImage(form, limits, expected);
        QCOMPARE(folder_->Read(QStringLiteral("crafted.sin")), gui_test::ToBytes(expected));
        QVERIFY(gui_test::ToBytes(expected) != original);
        QVERIFY(prompts_.errors.isEmpty());
    }

    // A short file opened or a save into a missing folder: a message, and the
    // document, its file name and the form stay as they were.
    void fileErrorsChangeNothing() {
        const QString crafted = WriteCrafted(QStringLiteral("crafted.sin"));
        QVERIFY(Frame().Files().OpenPath(crafted));
        const QByteArray image = gui_test::ToBytes(app_->Document().Image());
        View().Combo(Setting::Beep).setCurrentIndex(0);
        folder_->Write(QStringLiteral("short.sin"), QByteArray(4095, '\0'));
        prompts_.openAnswers << folder_->File(QStringLiteral("short.sin"));
        Trigger(command::kFileOpen);
        QCOMPARE(gui_test::ToBytes(app_->Document().Image()), image);
        prompts_.saveAnswer = folder_->File(QStringLiteral("no/such/folder/x.sin"));
        Trigger(command::kFileSaveAs);
        QCOMPARE(prompts_.errors.size(), 2);
        QVERIFY(!prompts_.errors.first().isEmpty() && !prompts_.errors.last().isEmpty());
        QCOMPARE(QString::fromStdString(app_->Document().Path().string()), crafted);
        QCOMPARE(View().Combo(Setting::Beep).currentText(), QStringLiteral("On"));
        QCOMPARE(View().ChannelGrid().TextMatrix(1, 10), QStringLiteral("CALL 1"));
    }

    void saveOntoADiskThatSaysNo_data() {
        QTest::addColumn<Refusal>("refusal");
        for (const Refusal refusal :
             {Refusal::FullDisk, Refusal::ReadOnlyFolder, Refusal::ReadOnlyFile}) {
            QTest::newRow(torvan::testing_support::IdOf(refusal)) << refusal;
        }
    }

    // One clear message; the previous file as it was, no temporary file
    // beside it, and the document keeps its name and the form its edit.
    void saveOntoADiskThatSaysNo() {
        QFETCH(Refusal, refusal);
        const QByteArray crafted = gui_test::ToBytes(gui_test::CraftedImage(folder_->IniPath()));
        const torvan::testing_support::RefusingPlace place(refusal, "radio.sin",
                                                           crafted.toStdString());
        if (!place.SkipReason().empty()) {
            QSKIP(place.SkipReason().c_str());
        }
        const QString path = QFile::decodeName(place.File().c_str());
        QVERIFY(Frame().Files().OpenPath(path));
        View().Combo(Setting::Beep).setCurrentIndex(0);
        Trigger(command::kFileSave);
        QCOMPARE(prompts_.errors, QStringList{QStringLiteral("Cannot save %1: %2.")
                                                  .arg(path, QString::fromStdString(place.Reason()))});
        QVERIFY(place.Contents() == crafted.toStdString());
        QVERIFY(place.Unchanged());
        QCOMPARE(app_->Document().Path(), place.File());
        QCOMPARE(View().Combo(Setting::Beep).currentText(), QStringLiteral("On"));
    }

    void commandLineFileOpensOrEndsTheStart() {
        // A file that cannot be read ends the start before anything is stored.
        folder_->WriteIni(gui_test::kProfiles + "COM=COM4\n");
        app_ = std::make_unique<CProgramApp>(folder_->Environment(), prompts_.Make());
        QVERIFY(!app_->InitInstance({QStringLiteral("torvan-encoder"), folder_->File("none.sin")}));
        QCOMPARE(prompts_.errors.size(), 1);
        QVERIFY(!Frame().isVisible());
        QCOMPARE(ReadPort(), QStringLiteral("COM4"));
        const QString path = WriteCrafted(QStringLiteral("crafted.sin"));
        Start({QStringLiteral("torvan-encoder"), path});
        QCOMPARE(View().ChannelGrid().TextMatrix(1, 1), QStringLiteral("145.12500"));
        QCOMPARE(app_->RecentFiles().Files().value(0), path);
    }

    void portCheckFollowsProgramIni_data() {
        QTest::addColumn<QByteArray>("ini");  // null: no Program.ini
        QTest::addColumn<QString>("port");
        QTest::addColumn<QStringList>("checked");
        QTest::newRow("COM3") << QByteArray("[Setup]\nCOM=COM3\n") << "COM3" << QStringList{"COM3"};
        QTest::newRow("lower case") << QByteArray("[setup]\ncom=com3\n") << "com3" << QStringList();
        QTest::newRow("above 8") << QByteArray("[Setup]\nCOM=COM9\n") << "COM9" << QStringList();
        QTest::newRow("empty file") << QByteArray("") << "" << QStringList();
        QTest::newRow("missing") << QByteArray() << "" << QStringList();
    }

    void portCheckFollowsProgramIni() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, port);
        QFETCH(QStringList, checked);
        if (ini.isNull()) {
            QVERIFY(QFile::remove(folder_->File(QStringLiteral("Program.ini"))));
        } else {
            folder_->WriteIni(ini);
        }
        Start();
        QCOMPARE(app_->PortName(), port);
        QCOMPARE(CheckedPorts(), checked);
        // The form works without model profiles.
        QCOMPARE(View().Combo(Setting::Model).count(), 0);
        View().EncodeImage();
        QCOMPARE(app_->Document().Image()[torvan::offset::kModelIndex], 0);
    }

    void portChoiceIsStoredAtExit() {
        folder_->WriteIni("[Setup]\nCOM=COM3\n");
        Start();
        Trigger(command::kPorts[4]);
        QCOMPARE(CheckedPorts(), QStringList{QStringLiteral("COM5")});
        QCOMPARE(ReadPort(), QStringLiteral("COM3"));
        app_->ExitInstance();
        QCOMPARE(ReadPort(), QStringLiteral("COM5"));
        app_.reset();
        Start();
        QCOMPARE(CheckedPorts(), QStringList{QStringLiteral("COM5")});
    }

    void exitPromptNoKeepsTheWindow() {
        View().Combo(Setting::Sql).setCurrentIndex(2);
        prompts_.exitAnswer = false;
        Trigger(command::kAppExit);
        QVERIFY(!Frame().close());
        QCOMPARE(prompts_.exitQuestions, 2);
        QVERIFY(Frame().isVisible());
        QCOMPARE(View().Combo(Setting::Sql).currentText(), QStringLiteral("2"));
        prompts_.exitAnswer = true;
        QVERIFY(Frame().close());
        QVERIFY(!Frame().isVisible());
    }

    void keyboardAloneFillsAChannel() {
        prompts_.saveAnswer = folder_->File(QStringLiteral("typed.sin"));
        CMSFlexGrid& grid = View().ChannelGrid();
        grid.setFocus();
        gui_test::TypeText(QStringLiteral("145.525"));
        Key(Qt::Key_Return);
        Key(Qt::Key_Return);  // Tx Frequency: the editor opens on the copied text
        Key(Qt::Key_Return);
        gui_test::AnswerToneDialog(QStringList{"Right", "Tab"} +
                                   QStringList(8, QStringLiteral("Down")) + QStringList{"Return"});
        Key(Qt::Key_Return);
        // The window takes the keyboard back from the dialog.
        gui_test::WaitActive(Frame());
        QVERIFY(grid.hasFocus());
        Key(Qt::Key_Right);
        Key(Qt::Key_Right);
        for (int list = 0; list < 2; ++list) {  // Busy Lock and Tx Power: the second item
            Key(Qt::Key_Return);
            Key(Qt::Key_Down);
            Key(Qt::Key_Return);
        }
        Key(Qt::Key_End);
        Key(Qt::Key_Return);
        gui_test::TypeText(QStringLiteral("rpt-a 1"));
        // Saved right after typing, without Enter.
        Key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(prompts_.errors.isEmpty());
        QCOMPARE(Reopened(prompts_.saveAnswer, 1),
                 (QStringList{"145.52500", "145.52500", "CTCSS:88.5", "None", "Carrier", "Low",
                              "Wide", "Yes", "Off", "RPT-A 1"}));
    }

    // The frequency editor swallows Ctrl+S; the toolbar saves what it holds.
    void toolbarSaveRightAfterTypingKeepsTheText() {
        const QString path = WriteCrafted(QStringLiteral("crafted.sin"));
        QVERIFY(Frame().Files().OpenPath(path));
        View().ChannelGrid().setFocus();
        View().ChannelGrid().SetRow(3);
        gui_test::TypeText(QStringLiteral("146.5"));
        QTest::mouseClick(Frame().ToolBar()->widgetForAction(Frame().Action(command::kFileSave)),
                          Qt::LeftButton);
        QVERIFY(prompts_.errors.isEmpty());
        QCOMPARE(Reopened(path, 3).value(0), QStringLiteral("146.50000"));
    }

    // What the option dialogs store is in the image, so Save writes it and
    // a reopened file has it; no other byte changes.
    void optionDialogsReachTheFile() {
        const QString path = WriteCrafted(QStringLiteral("crafted.sin"));
        QByteArray expected = folder_->Read(QStringLiteral("crafted.sin"));
        QVERIFY(Frame().Files().OpenPath(path));
        gui_test::AnswerDialog({"focus key1LongList", "End", "OK"});
        Trigger(command::kEditSideKey);
        expected[0x81D] = '\x18';
        gui_test::AnswerDialog(
            {"focus pttIdEdit", "type *1#", "focus txSideToneList", "End", "Return"});
        Trigger(command::kEditDtmf);
        expected[0x83C] = static_cast<char>(expected[0x83C] & ~0x01);
        expected.replace(0x820, 8, QByteArray("*1#\0\0\0\0\0", 8));
        // Enter commits and moves down; the next Enter edits there.
        gui_test::AnswerDialog(
            {"Return", "type 88.1", "Return", "Return", "type 99", "Return", "close"});
        Trigger(command::kEditRadio);
        expected.replace(0xD80, 8, QByteArray("\x00\x00\x81\x08\x00\x00\x90\x09", 8));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        Trigger(command::kFileSave);
        QVERIFY(prompts_.errors.isEmpty());
        QCOMPARE(folder_->Read(QStringLiteral("crafted.sin")), expected);
        Trigger(command::kFileNew);
        QVERIFY(Frame().Files().OpenPath(path));
        QCOMPARE(gui_test::ToBytes(app_->Document().Image()), expected);
    }

    // Over a list the wheel scrolls the form, without picking or taking the
    // keyboard; only the list that has the keyboard turns with it.
    void wheelPicksOnlyInTheFocusedList() {
        Frame().resize(Frame().width(), 300);
        QScrollBar& bar = *qobject_cast<QScrollArea*>(Frame().centralWidget())->verticalScrollBar();
        QTRY_VERIFY(bar.maximum() > 0);
        CMSFlexGrid& grid = View().ChannelGrid();
        grid.setFocus();
        QStringList turned;
        for (int i = 0; i < torvan::kSettingCount; ++i) {
            QComboBox& combo = View().Combo(static_cast<Setting>(i));
            bar.setValue(0);
            const QString before = combo.currentText();
            gui_test::Wheel(combo, -120);
            if (combo.currentText() != before || !grid.hasFocus() || bar.value() == 0) {
                turned << combo.objectName();
            }
        }
        QCOMPARE(turned, QStringList());
        QCOMPARE(app_->Limits(), torvan::FrequencyLimits{});
        QComboBox& sql = View().Combo(Setting::Sql);
        sql.setFocus();
        gui_test::Wheel(sql, -120);
        QCOMPARE(sql.currentText(), QStringLiteral("6"));
    }

    // After a 400-470 MHz file, a typed 145 stays 145 in whatever comes next
    // with the 136-174 MHz range shown.
    void typedFrequencyFollowsTheShownRange_data() {
        QTest::addColumn<QByteArray>("band");  // of the file opened next; null: File New
        QTest::newRow("File New") << QByteArray();
        QTest::newRow("band bytes 00 00 00") << QByteArray(3, '\0');
        QTest::newRow("band bytes 470-400") << QByteArray("\x47\x40\x00", 3);
    }

    void typedFrequencyFollowsTheShownRange() {
        QFETCH(QByteArray, band);
        QVERIFY(Frame().Files().OpenPath(
            WriteBand(QStringLiteral("beta.sin"), 1, QByteArray("\x40\x47\x00", 3))));
        QCOMPARE(app_->Limits(), (torvan::FrequencyLimits{40000000, 47000000}));
        if (band.isNull()) {
            Trigger(command::kFileNew);
        } else {
            QVERIFY(Frame().Files().OpenPath(WriteBand(QStringLiteral("odd.sin"), 0, band)));
        }
        QCOMPARE(View().Combo(Setting::FrequencyRange).currentText(), QStringLiteral("136-174MHz"));
        CMSFlexGrid& grid = View().ChannelGrid();
        grid.setFocus();
        grid.SetRow(1);
        grid.SetCol(1);
        gui_test::TypeText(QStringLiteral("145"));
        Key(Qt::Key_Return);
        QCOMPARE(grid.TextMatrix(1, 1), QStringLiteral("145.00000"));
    }

    // Program and Port share the mnemonic P: each Alt+P opens the other one,
    // wherever the keyboard is.
    void altPTakesTurnsBetweenProgramAndPort_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("grid") << "grid";
        QTest::newRow("password") << "password";
        QTest::newRow("frequency editor") << "7";
        QTest::newRow("list") << "list";
    }

    void altPTakesTurnsBetweenProgramAndPort() {
        QFETCH(QString, focus);
        View().ChannelGrid().setFocus();
        if (focus == QLatin1String("password")) {
            View().PasswordEdit().setFocus();
        } else if (focus == QLatin1String("list")) {
            View().Combo(Setting::Beep).setFocus();
        } else if (focus != QLatin1String("grid")) {
            gui_test::TypeText(focus);
        }
        QStringList opened;
        for (int i = 0; i < 3; ++i) {
            QWidget* popup = QApplication::activePopupWidget();
            QTest::keyClick(popup != nullptr ? popup : QApplication::focusWidget(), Qt::Key_P,
                            Qt::AltModifier);
            const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            opened << (menu != nullptr ? menu->title() : QString());
        }
        QCOMPARE(opened, (QStringList{"&Program", "&Port", "&Program"}));
        QApplication::activePopupWidget()->close();
    }

    void printPreviewShowsTheWholePageLarge() {
        QSize size;
        int zoomMode = -1;
        QTimer::singleShot(0, [&] {
            if (auto* dialog =
                    qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                size = dialog->size();
                zoomMode = dialog->findChild<QPrintPreviewWidget*>()->zoomMode();
                dialog->reject();
            }
        });
        Trigger(command::kFilePrintPreview);
        const QSize screen = Frame().screen()->availableGeometry().size();
        QVERIFY2(size.width() >= screen.width() * 3 / 4 && size.height() >= screen.height() * 3 / 4,
                 qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
        QCOMPARE(zoomMode, int(QPrintPreviewWidget::FitInView));
    }

private:
    void Start(const QStringList& arguments = {QStringLiteral("torvan-encoder")}) {
        app_ = std::make_unique<CProgramApp>(folder_->Environment(), prompts_.Make());
        QVERIFY(app_->InitInstance(arguments));
    }
    CMainFrame& Frame() { return *app_->MainFrame(); }
    CProgramView& View() { return Frame().View(); }
    void Trigger(int id) { Frame().Action(id)->trigger(); }
    QStringList CheckedPorts() {
        for (const QAction* title : Frame().menuBar()->actions()) {
            if (title->text() == QLatin1String("&Port")) {
                emit title->menu()->aboutToShow();
            }
        }
        QStringList checked;
        for (const int id : command::kPorts) {
            if (Frame().Action(id)->isChecked()) {
                checked << Frame().Action(id)->text();
            }
        }
        return checked;
    }
    // The channel texts of a row after a new document and a reopen of a file.
    QStringList Reopened(const QString& path, int row) {
        Trigger(command::kFileNew);
        if (!Frame().Files().OpenPath(path)) {
            return {};
        }
        return gui_test::RowTexts(View().ChannelGrid(), row);
    }
    QString WriteCrafted(const QString& name) {
        folder_->Write(name, gui_test::ToBytes(gui_test::CraftedImage(folder_->IniPath())));
        return folder_->File(name);
    }
    // A new document's bytes with a model position and band bytes.
    QString WriteBand(const QString& name, int model, const QByteArray& band) {
        torvan::MemoryImage image;
        image.ResetToNewDocument();
        image[torvan::offset::kModelIndex] = static_cast<std::uint8_t>(model);
        for (int i = 0; i < 3; ++i) {
            image[torvan::offset::kBandSignature + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(band.at(i));
        }
        folder_->Write(name, gui_test::ToBytes(image));
        return folder_->File(name);
    }
    QString ReadPort() {
        return QString::fromStdString(
            torvan::IniStore(folder_->IniPath()).ReadString("Setup", "COM"));
    }

    std::unique_ptr<gui_test::TestFolder> folder_;
    gui_test::ScriptedPrompts prompts_;
    std::unique_ptr<CProgramApp> app_;
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
