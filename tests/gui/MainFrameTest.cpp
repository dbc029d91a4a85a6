// The main window: its commands reach the document, the form and the files,
// and nothing is lost when a file is refused.
#include <QComboBox>
#include <QDir>
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
#include <QStandardPaths>
#include <QStyleOptionComboBox>

#include "GuiTestSupport.h"
#include "app/Commands.h"
#include "app/FileCommands.h"
#include "app/PrintCommands.h"
#include "app/RecentFileList.h"
#include "form/ChannelCodec.h"
#include "print/PlanPages.h"

using namespace torvan;

using gui_test::Key;
using torvan::Setting;

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        w_ = std::make_unique<gui_test::Window>();
        QVERIFY(w_->Start());
        gui_test::WaitActive(Frame());
    }

    void cleanup() { w_.reset(); }

    void windowFitsTheScreen() {
        const QRect screen = Frame().screen()->availableGeometry();
        QVERIFY(Frame().width() <= screen.width());
        // Shrunk to the form, which is less tall than the screen, and centred.
        QVERIFY(Frame().height() < screen.height());
        QVERIFY(qAbs(Frame().frameGeometry().center().y() - screen.center().y()) <= 1);
    }

    // Open shows the file under the program's own title; Save writes it back
    // byte for byte (edits reach it: the keyboard and option dialog tests).
    void openThenSaveWritesTheForm() {
        w_->prompts.openAnswers << w_->WriteCrafted(QStringLiteral("crafted.sin"));
        Trigger(command::kFileOpen);
        QCOMPARE(Frame().windowTitle(), QStringLiteral("Torvan PC Encoder"));
        QCOMPARE(View().ChannelGrid().TextMatrix(128, 10), QStringLiteral("LAST"));
        QCOMPARE(w_->app->Limits(), (torvan::FrequencyLimits{14400000, 14800000}));
        const QByteArray original = w_->folder.Read(QStringLiteral("crafted.sin"));
        Trigger(command::kFileSave);
        QCOMPARE(w_->folder.Read(QStringLiteral("crafted.sin")), original);
        QVERIFY(w_->prompts.errors.isEmpty());
    }

    // A short file opened, then a save the disk refuses: a message each, and
    // the document, its file name and the form stay (what the disk keeps is
    // the save path's own test).
    void fileErrorsChangeNothing() {
        const QString path = w_->WriteCrafted(QStringLiteral("radio.sin"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        QVERIFY(Frame().Files().OpenPath(path));
        View().Combo(Setting::Beep).setCurrentIndex(0);
        w_->folder.Write(QStringLiteral("short.sin"), QByteArray(4095, '\0'));
        w_->prompts.openAnswers << w_->folder.File(QStringLiteral("short.sin"));
        Trigger(command::kFileOpen);
        Trigger(command::kFileSave);
        QCOMPARE(w_->prompts.errors.size(), 2);
        QVERIFY(!w_->prompts.errors.first().isEmpty());
        QCOMPARE(w_->prompts.errors.last(), "Cannot save " + path + ": it is read-only.");
        QCOMPARE(QFile::decodeName(w_->app->Document().Path().c_str()), path);
        QCOMPARE(View().Combo(Setting::Beep).currentText(), QStringLiteral("On"));
        QCOMPARE(View().ChannelGrid().TextMatrix(1, 10), QStringLiteral("CALL 1"));
    }

    // A Program.ini that cannot be read is said once, however often the lists
    // are rebuilt.
    void unreadableIniWarnsOnce() {
        const QString ini = QString::fromStdString(w_->folder.IniPath().string());
        QVERIFY(QFile::remove(ini) && QDir().mkdir(ini));
        QVERIFY(w_->Start());
        Trigger(command::kFileNew);
        QCoreApplication::processEvents();
        QCOMPARE(w_->prompts.errors, QStringList{"Warning: cannot read " + ini +
                                                 ": it is a folder; the model lists are empty."});
    }

    // A file on the command line opens, or ends the start before anything is
    // stored. Opened files lead the recent list, each once, at most four,
    // kept across runs.
    void commandLineAndRecentFiles() {
        w_->folder.WriteIni(gui_test::kProfiles + "COM=COM4\n");
        QVERIFY(!w_->Start({QStringLiteral("torvan-encoder"), w_->folder.File("none.sin")}));
        QCOMPARE(w_->prompts.errors.size(), 1);
        QVERIFY(!Frame().isVisible());
        QCOMPARE(ReadPort(), QStringLiteral("COM4"));
        QStringList paths;
        for (const char* name : {"a.sin", "b.sin", "c.sin", "d.sin", "e.sin"}) {
            paths << w_->WriteCrafted(QString::fromLatin1(name));
        }
        QVERIFY(w_->Start({QStringLiteral("torvan-encoder"), paths[0]}));
        QCOMPARE(View().ChannelGrid().TextMatrix(1, 1), QStringLiteral("145.12500"));
        for (const int i : {1, 2, 3, 4, 1}) {
            QVERIFY(Frame().Files().OpenPath(paths[i]));
        }
        const QStringList recent{paths[1], paths[4], paths[3], paths[2]};
        QCOMPARE(w_->app->RecentFiles().Files(), recent);
        w_->app->ExitInstance();
        QVERIFY(w_->Start());
        QCOMPARE(w_->app->RecentFiles().Files(), recent);
    }

    // The port of Program.ini is chosen, and checked when it is one of the
    // menu's eight.
    void portCheckFollowsProgramIni() {
        for (const auto& [ini, port, checked] :
             {std::tuple{QByteArray("[Setup]\nCOM=COM3\n"), "COM3", QStringList{"COM3"}},
              {QByteArray("[setup]\ncom=com3\n"), "com3", QStringList()},
              {QByteArray("[Setup]\nCOM=COM9\n"), "COM9", QStringList()},
              {QByteArray(), "", QStringList()}}) {  // no Program.ini
            QFile::remove(w_->folder.File(QStringLiteral("Program.ini")));
            if (!ini.isNull()) {
                w_->folder.WriteIni(ini);
            }
            QVERIFY(w_->Start());
            QCOMPARE(w_->app->PortName(), QString::fromLatin1(port));
            QCOMPARE(CheckedPorts(), checked);
        }
        // Picked again, the port stays ticked.
        for (int i = 0; i < 2; ++i) {
            Trigger(command::kPorts[2]);
            QCOMPARE(CheckedPorts(), QStringList{"COM3"});
        }
    }

    // A run with the simulated radio says so and leaves the stored port alone.
    void simulatedRadioRunKeepsProgramIni() {
        QVERIFY(!Frame().findChild<QLabel*>(QStringLiteral("simulatedRadio")));
        w_->folder.WriteIni(gui_test::kProfiles + "COM=COM4\n");
        w_->simulatedRadio = "/dev/pts/99";
        QVERIFY(w_->Start());
        QVERIFY(Frame().findChild<QLabel*>(QStringLiteral("simulatedRadio")));
        Trigger(command::kPorts[1]);
        w_->app->ExitInstance();
        QCOMPARE(ReadPort(), QStringLiteral("COM4"));
    }

    void exitPromptNoKeepsTheWindow() {
        View().Combo(Setting::Sql).setCurrentIndex(2);
        w_->prompts.exitAnswer = false;
        Trigger(command::kAppExit);
        QVERIFY(!Frame().close());
        QCOMPARE(w_->prompts.exitQuestions, 2);
        QVERIFY(Frame().isVisible());
        QCOMPARE(View().Combo(Setting::Sql).currentText(), QStringLiteral("2"));
        w_->prompts.exitAnswer = true;
        QVERIFY(Frame().close());
        QVERIFY(!Frame().isVisible());
    }

    void keyboardAloneFillsAChannel() {
        w_->prompts.saveAnswer = w_->folder.File(QStringLiteral("typed.sin"));
        CMSFlexGrid& grid = View().ChannelGrid();
        grid.setFocus();
        gui_test::TypeText(QStringLiteral("145.525"));
        Key(Qt::Key_Return);
        Key(Qt::Key_Return);  // Tx Frequency: the editor opens on the copied text
        Key(Qt::Key_Return);
        gui_test::AnswerDialog(QStringList{"Right", "Tab"} +
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
        QVERIFY(w_->prompts.errors.isEmpty());
        Trigger(command::kFileNew);
        QVERIFY(Frame().Files().OpenPath(w_->prompts.saveAnswer));
        QCOMPARE(gui_test::RowTexts(View().ChannelGrid(), 1),
                 (torvan::ChannelRow{"", "145.52500", "145.52500", "CTCSS:88.5", "None", "Carrier",
                                     "Low", "Wide", "Yes", "Off", "RPT-A 1"}));
    }

    // New asks only when the form or an option dialog left the document
    // other than the file as the form stored it; a Save that does not
    // happen keeps the document.
    void newAsksOnlyForRealChanges() {
        const QString path = w_->WriteCrafted(QStringLiteral("crafted.sin"));
        CMSFlexGrid& grid = View().ChannelGrid();
        const auto click = [this](const char* name) {
            QTest::mouseClick(&gui_test::Child<QPushButton>(View(), name), Qt::LeftButton);
        };
        const auto dialog = [this](int id, const QStringList& steps) {
            return [this, id, steps] {
                gui_test::AnswerDialog(steps);
                Trigger(id);
            };
        };
        const std::tuple<const char*, std::function<void()>, int> rows[] = {
            {"a name typed, then the old one",
             [&] {
                 grid.SetTextMatrix(1, 10, QStringLiteral("NEW"));
                 grid.SetTextMatrix(1, 10, QStringLiteral("CALL 1"));
             },
             0},
            {"Add", [&] { click("addButton"); }, 1},
            {"Delete", [&] { click("deleteButton"); }, 1},
            {"Side Key, Escape",
             dialog(command::kEditSideKey, {"focus key1ShortList", "Home", "Escape"}), 0},
            {"Side Key, OK",
             dialog(command::kEditSideKey, {"focus key1ShortList", "Home", "click OK"}), 1},
            {"Radio", dialog(command::kEditRadio, {"Return", "type 88.1", "Return", "close"}), 1}};
        for (const auto& [name, change, questions] : rows) {
            QVERIFY(Frame().Files().OpenPath(path));
            w_->prompts.saveChangesQuestions = 0;
            change();
            Trigger(command::kFileNew);
            QVERIFY2(w_->prompts.saveChangesQuestions == questions, name);
        }
        View().PasswordEdit().setText(QStringLiteral("55"));
        w_->prompts.saveChangesAnswer = SaveChoice::Save;  // Save As, cancelled
        Trigger(command::kFileNew);
        QCOMPARE(View().PasswordEdit().text(), QStringLiteral("55"));
    }

    // What an option dialog stores is in the document's image, so Save
    // writes it; no other byte changes.
    void optionDialogReachesTheFile() {
        const QString path = w_->WriteCrafted(QStringLiteral("crafted.sin"));
        QByteArray expected = w_->folder.Read(QStringLiteral("crafted.sin"));
        QVERIFY(Frame().Files().OpenPath(path));
        gui_test::AnswerDialog({"Return", "type 88.1", "Return", "close"});
        Trigger(command::kEditRadio);
        expected.replace(0xD80, 4, QByteArray("\x00\x00\x81\x08", 4));
        Trigger(command::kFileSave);
        QVERIFY(w_->prompts.errors.isEmpty());
        QCOMPARE(w_->folder.Read(QStringLiteral("crafted.sin")), expected);
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
        QCOMPARE(w_->app->Limits(), torvan::FrequencyLimits{});
        QComboBox& sql = View().Combo(Setting::Sql);
        sql.setFocus();
        gui_test::Wheel(sql, -120);
        QCOMPARE(sql.currentText(), QStringLiteral("6"));
    }

    // However narrow the window, each list's field shows its longest entry
    // whole (the X-server test runs this at QT_SCALE_FACTOR=2 too).
    void listsShowTheirLongestEntry() {
        Frame().resize(300, Frame().height());
        QTRY_VERIFY(View().width() > Frame().width());
        QStringList cut;
        for (int i = 0; i < torvan::kSettingCount; ++i) {
            const QComboBox& combo = View().Combo(static_cast<Setting>(i));
            struct Access : QComboBox {
                using QComboBox::initStyleOption;
            };
            QStyleOptionComboBox option;
            (combo.*&Access::initStyleOption)(&option);
            const int field = combo.style()
                                  ->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, &combo)
                                  .width();
            for (int item = 0; item < combo.count(); ++item) {
                if (combo.fontMetrics().horizontalAdvance(combo.itemText(item)) > field) {
                    cut << combo.itemText(item);
                }
            }
        }
        QCOMPARE(cut, QStringList());
    }

    // Print Preview opens large on the whole page and shows the plan of what
    // the form holds, unsaved channels included, on all of the plan's pages.
    void printPreviewShowsThePlanLarge() {
        for (int row = 1; row <= torvan::kChannelCount; ++row) {
            View().ChannelGrid().SetTextMatrix(row, 1, QStringLiteral("145.00000"));
        }
        QSize size;
        int zoomMode = -1;
        int pages = 0;
        int planPages = 0;
        QTimer::singleShot(0, [&] {
            if (auto* dialog =
                    qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                size = dialog->size();
                zoomMode = dialog->findChild<QPrintPreviewWidget*>()->zoomMode();
                pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
                QPrinter& printer = *dialog->printer();
                planPages = torvan::PlanPages(Frame().Printing().Plan(), printer,
                                              QSizeF(printer.width(), printer.height()))
                                .Count();
                dialog->reject();
            }
        });
        Trigger(command::kFilePrintPreview);
        const QSize screen = Frame().screen()->availableGeometry().size();
        QVERIFY2(size.width() >= screen.width() * 3 / 4 && size.height() >= screen.height() * 3 / 4,
                 qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
        QCOMPARE(zoomMode, int(QPrintPreviewWidget::FitInView));
        QVERIFY(planPages > 1);
        QCOMPARE(pages, planPages);
    }

private:
    CMainFrame& Frame() { return w_->Frame(); }
    CProgramView& View() { return w_->View(); }
    void Trigger(int id) { w_->Trigger(id); }
    QStringList CheckedPorts() {
        QStringList checked;
        for (const int id : command::kPorts) {
            if (Frame().Action(id)->isChecked()) {
                checked << Frame().Action(id)->text();
            }
        }
        return checked;
    }
    QString ReadPort() {
        return QString::fromStdString(
            torvan::IniStore(w_->folder.IniPath()).ReadString("Setup", "COM"));
    }

    std::unique_ptr<gui_test::Window> w_;
};

GUI_TEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
