#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "GuiTestSupport.h"
#include "app/CAboutDlg.h"
#include "app/CExitDlg.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "app/FileCommands.h"
#include "editor/CMSFlexGrid.h"
#include "editor/CProgramView.h"

using torvan::Setting;

namespace {

// A menu's items as "text\tshortcut", separators as "-".
QStringList MenuItems(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->shortcut().isEmpty()) {
            item += QLatin1Char('\t') + action->shortcut().toString();
        }
        items << item;
    }
    return items;
}

QMenu* FindMenu(const QMainWindow& frame, const QString& title) {
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

QString PortText(int index) {
    return QStringLiteral("COM%1").arg(index + 1);
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();
    void menusAreAsTabled_data();
    void menusAreAsTabled();
    void commandsCarryTheirPrompts_data();
    void commandsCarryTheirPrompts();
    void toolbarHoldsTheCommonCommands();
    void laterCommandsStayUnavailable();
    void startsWithANewDocument();
    void windowFitsTheScreen();
    void openShowsTheFileAndKeepsTheTitle();
    void saveWritesWhatTheCoreEncodes();
    void saveAsOfANewDocumentAsksForAName();
    void fileErrorsChangeNothing_data();
    void fileErrorsChangeNothing();
    void commandLineOpensAFile();
    void unreadableCommandLineFileEndsTheStart();
    void portCheckFollowsProgramIni_data();
    void portCheckFollowsProgramIni();
    void portChoiceIsStoredAtExit();
    void exitPromptNoKeepsTheWindow();
    void recentFilesKeepTheLastFour();
    void dialogsShowTheirTexts();
    void keyboardAloneFillsAChannel();
    void saveRightAfterTypingKeepsTheText_data();
    void saveRightAfterTypingKeepsTheText();

private:
    void Start(const QStringList& arguments = {QStringLiteral("torvan-encoder")}) {
        app_ = std::make_unique<CProgramApp>(folder_->Environment(), prompts_.Make());
        QVERIFY(app_->InitInstance(arguments));
    }
    CMainFrame& Frame() { return *app_->MainFrame(); }
    CProgramView& View() { return Frame().View(); }
    void Trigger(int id) { Frame().Action(id)->trigger(); }
    void StartActive() {
        Start();
        gui_test::WaitActive(Frame());
    }
    // The channel texts of a row after a new document and a reopen of a file.
    QStringList Reopened(const QString& path, int row) {
        Trigger(command::kFileNew);
        if (!Frame().Files().OpenPath(path)) {
            return {};
        }
        QStringList texts;
        for (int col = 1; col <= 10; ++col) {
            texts << View().ChannelGrid().TextMatrix(row, col);
        }
        return texts;
    }
    QString WriteCrafted(const QString& name) {
        folder_->Write(name, gui_test::ToBytes(gui_test::CraftedImage(folder_->IniPath())));
        return folder_->File(name);
    }

    std::unique_ptr<gui_test::TestFolder> folder_;
    gui_test::ScriptedPrompts prompts_;
    std::unique_ptr<CProgramApp> app_;
};

void MainFrameTest::init() {
    folder_ = std::make_unique<gui_test::TestFolder>();
    folder_->WriteIni(gui_test::kProfiles);
    prompts_ = {};
}

void MainFrameTest::cleanup() {
    app_.reset();
    folder_.reset();
}

void MainFrameTest::menusAreAsTabled_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("File")
        << "&File"
        << QStringList{
               "&New\tCtrl+N",      "&Open...\tCtrl+O", "&Save\tCtrl+S",   "Save &As...", "-",
               "&Print...\tCtrl+P", "Print Pre&view",   "P&rint Setup...", "-",           "E&xit"};
    QTest::newRow("Edit") << "&Edit" << QStringList{"DTMF", "Side Key", "Power", "Radio"};
    QTest::newRow("Program") << "&Program" << QStringList{"Read\tCtrl+R", "Write\tCtrl+W"};
    QTest::newRow("Port") << "&Port" << QStringList{"COM1", "COM2", "COM3", "COM4",
                                                    "COM5", "COM6", "COM7", "COM8"};
    QTest::newRow("View") << "&View" << QStringList{"&Toolbar", "&Status Bar"};
    QTest::newRow("Help") << "&Help" << QStringList{"About ..."};
}

void MainFrameTest::menusAreAsTabled() {
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    Start();
    QStringList titles;
    for (const QAction* action : Frame().menuBar()->actions()) {
        titles << action->text();
    }
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Program", "&Port", "&View", "&Help"}));
    const QMenu* menu = FindMenu(Frame(), title);
    QVERIFY(menu != nullptr);
    QCOMPARE(MenuItems(menu), items);
}

void MainFrameTest::commandsCarryTheirPrompts_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("New") << 57600 << "Create a new document"
                         << "New";
    QTest::newRow("Open") << 57601 << "Open an existing document"
                          << "Open";
    QTest::newRow("Save") << 57603 << "Save the active document"
                          << "Save";
    QTest::newRow("Print") << 57607 << "Print the active document"
                           << "Print";
    QTest::newRow("Exit") << 57665 << "Quit the application; prompts to save documents"
                          << "Exit";
    QTest::newRow("Read") << 32771 << "Read data from Machine"
                          << "Read";
    QTest::newRow("Write") << 32772 << "Write data to machine"
                           << "Write";
    QTest::newRow("About") << 57664 << "Display program information, version number and copyright"
                           << "About";
    QTest::newRow("COM5") << 32788 << "COM5"
                          << "COM5";
}

void MainFrameTest::commandsCarryTheirPrompts() {
    QFETCH(int, id);
    QFETCH(QString, prompt);
    QFETCH(QString, tooltip);
    Start();
    const QAction* action = Frame().Action(id);
    QVERIFY(action != nullptr);
    QCOMPARE(action->statusTip(), prompt);
    QCOMPARE(action->toolTip(), tooltip);
}

void MainFrameTest::toolbarHoldsTheCommonCommands() {
    Start();
    QList<int> ids;
    for (const QAction* action : Frame().ToolBar()->actions()) {
        ids << (action->isSeparator() ? 0 : action->data().toInt());
        QVERIFY(action->isSeparator() || !action->icon().isNull());
    }
    QCOMPARE(ids, (QList<int>{57600, 57601, 57603, 0, 32771, 32772, 0, 57607, 57664}));
}

void MainFrameTest::laterCommandsStayUnavailable() {
    Start();
    for (const int id : {32794, 32793, 32795, 32796, 32771, 32772}) {
        QVERIFY2(!Frame().Action(id)->isEnabled(), qPrintable(Frame().Action(id)->text()));
    }
    for (const int id : {57600, 57601, 57603, 57604, 57607, 57609, 57606, 57665, 57664, 32773}) {
        QVERIFY2(Frame().Action(id)->isEnabled(), qPrintable(Frame().Action(id)->text()));
    }
}

void MainFrameTest::startsWithANewDocument() {
    Start();
    QVERIFY(Frame().isVisible());
    QCOMPARE(Frame().windowTitle(), QStringLiteral("Torvan PC Encoder"));
    QCOMPARE(View().Combo(Setting::Ste).currentText(), QStringLiteral("240 phase shift"));
    QCOMPARE(View().ChannelGrid().Rows(), 129);
    QCOMPARE(View().ChannelGrid().TextMatrix(1, 1), QString());
    QVERIFY(app_->Document().Path().empty());
}

void MainFrameTest::windowFitsTheScreen() {
    Start();
    const QRect screen = Frame().screen()->availableGeometry();
    QVERIFY(Frame().width() <= screen.width());
    QVERIFY(Frame().height() <= screen.height());
    QVERIFY(qAbs(Frame().frameGeometry().center().x() - screen.center().x()) <= 1);
}

void MainFrameTest::openShowsTheFileAndKeepsTheTitle() {
    Start();
    prompts_.openAnswers << WriteCrafted(QStringLiteral("crafted.sin"));
    Trigger(command::kFileOpen);
    QVERIFY(prompts_.errors.isEmpty());
    QCOMPARE(Frame().windowTitle(), QStringLiteral("Torvan PC Encoder"));
    QCOMPARE(View().Combo(Setting::ScanMode).currentText(), QStringLiteral("SE"));
    QCOMPARE(View().Combo(Setting::FrequencyRange).currentText(), QStringLiteral("144-148MHz"));
    QCOMPARE(View().ChannelGrid().TextMatrix(128, 10), QStringLiteral("LAST"));
    QCOMPARE(app_->Limits(), (torvan::FrequencyLimits{14400000, 14800000}));
}

void MainFrameTest::saveWritesWhatTheCoreEncodes() {
    Start();
    const QString path = WriteCrafted(QStringLiteral("crafted.sin"));
    const QByteArray original = folder_->Read(QStringLiteral("crafted.sin"));
    QVERIFY(Frame().Files().OpenPath(path));
    Trigger(command::kFileSave);
    QVERIFY(prompts_.errors.isEmpty());
    // Nothing was edited, so the file comes back byte for byte.
    QCOMPARE(folder_->Read(QStringLiteral("crafted.sin")), original);
    // An edit reaches the file as the core's encode of the edited form.
    View().Combo(Setting::Beep).setCurrentIndex(0);
    Trigger(command::kFileSave);
    torvan::MemoryImage expected = gui_test::CraftedImage(folder_->IniPath());
    torvan::MemoryForm form;
    torvan::FrequencyLimits limits;
    torvan::DecodeImage(expected, torvan::IniStore(folder_->IniPath()), form, limits);
    gui_test::SelectText(form.List(Setting::Beep), "On");
    torvan::EncodeImage(form, limits, expected);
    QCOMPARE(folder_->Read(QStringLiteral("crafted.sin")), gui_test::ToBytes(expected));
    QVERIFY(gui_test::ToBytes(expected) != original);
}

void MainFrameTest::saveAsOfANewDocumentAsksForAName() {
    Start();
    prompts_.saveAnswer = folder_->File(QStringLiteral("new.sin"));
    Trigger(command::kFileSave);
    torvan::MemoryImage expected;
    expected.ResetToNewDocument();
    torvan::MemoryForm form;
    torvan::FrequencyLimits limits;
    torvan::DecodeImage(expected, torvan::IniStore(folder_->IniPath()), form, limits);
    torvan::EncodeImage(form, limits, expected);
    QCOMPARE(folder_->Read(QStringLiteral("new.sin")), gui_test::ToBytes(expected));
    QCOMPARE(QString::fromStdString(app_->Document().Path().string()), prompts_.saveAnswer);
    // Cancelling the name writes nothing.
    prompts_.saveAnswer.clear();
    Trigger(command::kFileSaveAs);
    QVERIFY(prompts_.errors.isEmpty());
}

void MainFrameTest::fileErrorsChangeNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("opening");
    QTest::newRow("short file") << QByteArray(4095, '\0') << true;
    QTest::newRow("missing file") << QByteArray() << true;
    QTest::newRow("save into a missing folder") << QByteArray() << false;
}

void MainFrameTest::fileErrorsChangeNothing() {
    QFETCH(QByteArray, content);
    QFETCH(bool, opening);
    Start();
    const QString crafted = WriteCrafted(QStringLiteral("crafted.sin"));
    QVERIFY(Frame().Files().OpenPath(crafted));
    const QByteArray image = gui_test::ToBytes(app_->Document().Image());
    View().Combo(Setting::Beep).setCurrentIndex(0);
    if (opening) {
        if (!content.isEmpty()) {
            folder_->Write(QStringLiteral("bad.sin"), content);
        }
        prompts_.openAnswers << folder_->File(QStringLiteral("bad.sin"));
        Trigger(command::kFileOpen);
        QCOMPARE(gui_test::ToBytes(app_->Document().Image()), image);
    } else {
        prompts_.saveAnswer = folder_->File(QStringLiteral("no/such/folder/x.sin"));
        Trigger(command::kFileSaveAs);
    }
    QCOMPARE(prompts_.errors.size(), 1);
    QVERIFY(!prompts_.errors.first().isEmpty());
    QCOMPARE(QString::fromStdString(app_->Document().Path().string()), crafted);
    // The form keeps the user's unsaved edit.
    QCOMPARE(View().Combo(Setting::Beep).currentText(), QStringLiteral("On"));
    QCOMPARE(View().ChannelGrid().TextMatrix(1, 10), QStringLiteral("CALL 1"));
}

void MainFrameTest::commandLineOpensAFile() {
    const QString path = WriteCrafted(QStringLiteral("crafted.sin"));
    Start({QStringLiteral("torvan-encoder"), path});
    QCOMPARE(View().ChannelGrid().TextMatrix(1, 1), QStringLiteral("145.12500"));
    QCOMPARE(app_->RecentFiles().Files().value(0), path);
}

void MainFrameTest::unreadableCommandLineFileEndsTheStart() {
    folder_->WriteIni("[Setup]\nCOM=COM4\n");
    app_ = std::make_unique<CProgramApp>(folder_->Environment(), prompts_.Make());
    QVERIFY(!app_->InitInstance({QStringLiteral("torvan-encoder"), folder_->File("none.sin")}));
    QCOMPARE(prompts_.errors.size(), 1);
    QVERIFY(!app_->MainFrame()->isVisible());
    QCOMPARE(torvan::IniStore(folder_->IniPath()).ReadString("Setup", "COM"), "COM4");
}

void MainFrameTest::portCheckFollowsProgramIni_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("checked");
    QTest::addColumn<QString>("port");
    QTest::newRow("COM3") << QByteArray("[Setup]\nCOM=COM3\n") << 2 << "COM3";
    QTest::newRow("lower case") << QByteArray("[setup]\ncom=com3\n") << -1 << "com3";
    QTest::newRow("above 8") << QByteArray("[Setup]\nCOM=COM9\n") << -1 << "COM9";
    QTest::newRow("no key") << QByteArray("[Setup]\nType0=A\n") << -1 << "";
    QTest::newRow("empty file") << QByteArray() << -1 << "";
}

void MainFrameTest::portCheckFollowsProgramIni() {
    QFETCH(QByteArray, ini);
    QFETCH(int, checked);
    QFETCH(QString, port);
    folder_->WriteIni(ini);
    Start();
    QCOMPARE(app_->PortName(), port);
    emit FindMenu(Frame(), QStringLiteral("&Port"))->aboutToShow();
    for (int i = 0; i < 8; ++i) {
        const QAction* item = Frame().Action(command::kPorts.at(static_cast<std::size_t>(i)));
        QCOMPARE(item->isChecked(), i == checked);
        QVERIFY(item->isEnabled());
    }
}

void MainFrameTest::portChoiceIsStoredAtExit() {
    folder_->WriteIni("[Setup]\nCOM=COM3\nType0=Kept\n");
    Start();
    Trigger(command::kPorts[4]);
    QCOMPARE(app_->PortName(), QStringLiteral("COM5"));
    QVERIFY(Frame().Action(command::kPorts[4])->isChecked());
    QVERIFY(!Frame().Action(command::kPorts[2])->isChecked());
    // Stored at exit only.
    QCOMPARE(torvan::IniStore(folder_->IniPath()).ReadString("Setup", "COM"), "COM3");
    app_->ExitInstance();
    QCOMPARE(torvan::IniStore(folder_->IniPath()).ReadString("Setup", "COM"), "COM5");
    QCOMPARE(torvan::IniStore(folder_->IniPath()).ReadString("Setup", "Type0"), "Kept");
    app_.reset();
    Start();
    emit FindMenu(Frame(), QStringLiteral("&Port"))->aboutToShow();
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(Frame().Action(command::kPorts.at(static_cast<std::size_t>(i)))->isChecked(),
                 PortText(i) == QStringLiteral("COM5"));
    }
}

void MainFrameTest::exitPromptNoKeepsTheWindow() {
    Start();
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

void MainFrameTest::recentFilesKeepTheLastFour() {
    Start();
    QStringList opened;
    for (int i = 0; i < 5; ++i) {
        opened.prepend(WriteCrafted(QStringLiteral("f%1.sin").arg(i)));
        QVERIFY(Frame().Files().OpenPath(opened.first()));
    }
    QVERIFY(Frame().Files().OpenPath(opened.at(2)));
    const QStringList expected{opened.at(2), opened.at(0), opened.at(1), opened.at(3)};
    QCOMPARE(app_->RecentFiles().Files(), expected);
    app_->ExitInstance();
    app_.reset();
    Start();
    QCOMPARE(app_->RecentFiles().Files(), expected);
}

void MainFrameTest::dialogsShowTheirTexts() {
    CExitDlg prompt;
    QCOMPARE(prompt.windowTitle(), QStringLiteral("Prompt"));
    const auto labels = prompt.findChildren<QLabel*>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
        return label->text() == QStringLiteral("Exit the application, all data will not be saved");
    }));
    const auto buttons = prompt.findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 2);
    for (QPushButton* button : buttons) {
        QCOMPARE(button->isDefault(), button->text() == QStringLiteral("Yes"));
    }
    // "No" answers like closing the prompt.
    QTimer::singleShot(0, &prompt, [&] {
        for (QPushButton* button : buttons) {
            if (button->text() == QStringLiteral("No")) {
                button->click();
            }
        }
    });
    QCOMPARE(prompt.exec(), int(QDialog::Rejected));
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    const auto aboutLabels = about.findChildren<QLabel*>();
    QVERIFY(std::any_of(aboutLabels.begin(), aboutLabels.end(), [](const QLabel* label) {
        return label->text() == QStringLiteral("Version 1.0.0");
    }));
}

void MainFrameTest::keyboardAloneFillsAChannel() {
    using gui_test::Key;
    StartActive();
    prompts_.saveAnswer = folder_->File(QStringLiteral("typed.sin"));
    CMSFlexGrid& grid = View().ChannelGrid();
    grid.setFocus();
    gui_test::TypeText(QStringLiteral("145.525"));
    Key(Qt::Key_Return);
    Key(Qt::Key_Return);  // Tx Frequency: the editor opens on the copied text
    Key(Qt::Key_Return);
    gui_test::AnswerToneDialog({"Right", "Tab", "Down", "Down", "Down",
                                "Down", "Down", "Down", "Down", "Down",
                                "Return"});
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
    Key(Qt::Key_Return);
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(grid.Col(), 1);
    Key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(prompts_.errors.isEmpty());
    QCOMPARE(Reopened(prompts_.saveAnswer, 1),
             (QStringList{"145.52500", "145.52500", "CTCSS:88.5", "None", "Carrier", "Low", "Wide",
                          "Yes", "Off", "RPT-A 1"}));
}

void MainFrameTest::saveRightAfterTypingKeepsTheText_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");  // "v" steps down a list
    QTest::addColumn<QString>("save");   // "toolbar" or "Ctrl+S"
    QTest::addColumn<QString>("cell");
    QTest::newRow("new channel") << 3 << 1 << "146.5"
                                 << "toolbar"
                                 << "146.50000";
    QTest::newRow("list") << 1 << 5 << "v"
                          << "toolbar"
                          << "Tone";
    QTest::newRow("name, Ctrl+S") << 128 << 10 << "end"
                                  << "Ctrl+S"
                                  << "END";
}

void MainFrameTest::saveRightAfterTypingKeepsTheText() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, save);
    QFETCH(QString, cell);
    StartActive();
    const QString path = WriteCrafted(QStringLiteral("crafted.sin"));
    QVERIFY(Frame().Files().OpenPath(path));
    CMSFlexGrid& grid = View().ChannelGrid();
    grid.setFocus();
    grid.SetRow(row);
    grid.SetCol(col);
    gui_test::Key(Qt::Key_Return);
    if (typed == QLatin1String("v")) {
        gui_test::Key(Qt::Key_Down);
    } else {
        gui_test::TypeText(typed);
    }
    if (save == QLatin1String("toolbar")) {
        QTest::mouseClick(Frame().ToolBar()->widgetForAction(Frame().Action(command::kFileSave)),
                          Qt::LeftButton);
    } else {
        gui_test::Key(Qt::Key_S, Qt::ControlModifier);
    }
    QVERIFY(prompts_.errors.isEmpty());
    QCOMPARE(Reopened(path, row).at(col - 1), cell);
}

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
