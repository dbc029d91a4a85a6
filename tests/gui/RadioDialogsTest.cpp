// The radio dialogs against the simulated radio. Program Read, Program Write
// and Edit > Power through the main window: each message a fault shows (or
// the silent close), the successful runs, and that nothing is lost on a
// failure; what the protocol tolerates is the link tests' concern. Then the
// Power dialog's controls.
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSerialPort>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyleOptionSlider>

#include "GuiTestSupport.h"
#include "app/Commands.h"
#include "dialogs/CPowerDlg.h"
#include "dialogs/CProgressDlg.h"
#include "model/PasswordCodec.h"
#include "tests/RadioOnPty.h"

using namespace torvan;

using gui_test::FormTexts;
using torvan::LevelPoint;
using torvan::MemoryImage;
using torvan::testing_support::RadioOnPty;

namespace {

enum class Direction { Read, Write, Power };

enum class Fault {
    None,
    Cancelled,  // the user cancels before Start
    WrongAck,
    Silent,
    RefusedWrite,
    PulledCable,
    WrongPassword,
    BandMismatch,
    BusyPort,  // held by a serial terminal: lock file, exclusive mode
};

// Where a block fault strikes: block 100 of a Read (19 %) or a Write (22 %).
constexpr unsigned kFaultBlock = 0x320;
constexpr std::size_t kLowLow = 0xFF8;
// Typed into the panel before a Read or Write; the opened file holds 4321.
constexpr const char* kTypedPassword = "8765";

// What the box adds after the device's path: the system's reason and what
// the user can do; "*" stands for the serial library's own words.
constexpr const char* kLostMidWrite =
    ": the line was lost (cable pulled or device removed)\n"
    "The radio may hold a partial write; write it again.";
constexpr const char* kBusy =
    ": in use by another program (*)\nClose the other program that holds the port.";

struct FaultRow {
    const char* name;
    Direction direction;
    Fault fault;
    const char* message;  // the one box shown; empty: none
    const char* behind;   // the percent the progress dialog shows under it
    const char* reason;   // in the box's informative text; empty: no such text
};

// A Power exchange that fails says so, then closes the dialog.
// clang-format off
constexpr FaultRow kMatrix[] = {
    {"Read", Direction::Read, Fault::None, "", "", ""},
    {"Read, cancelled", Direction::Read, Fault::Cancelled, "", "", ""},
    {"Read, wrong acknowledge", Direction::Read, Fault::WrongAck, "Communication error", "19%", ""},
    {"Read, wrong password", Direction::Read, Fault::WrongPassword, "Password error", "0%", ""},
    {"Read, port held by a serial terminal", Direction::Read, Fault::BusyPort,
     "Open the port fail", "0%", kBusy},
    {"Write", Direction::Write, Fault::None, "", "", ""},
    {"Write, pulled cable", Direction::Write, Fault::PulledCable,
     "Communication error", "22%", kLostMidWrite},
    {"Write, band mismatch", Direction::Write, Fault::BandMismatch,
     "Frequency is not match.", "0%", ""},
    {"Power, silent radio", Direction::Power, Fault::Silent, "Communication error", "", ""},
    {"Power, refused value", Direction::Power, Fault::RefusedWrite, "Communication error", "", ""},
    {"Power, port held by a serial terminal", Direction::Power, Fault::BusyPort,
     "Open the port fail", "", kBusy},
};
// clang-format on

torvan::sim::RadioFaults FaultsOf(const FaultRow& row) {
    torvan::sim::RadioFaults faults;
    if (row.fault == Fault::WrongAck) {
        faults.badAckAfterRead = kFaultBlock;
    } else if (row.fault == Fault::Silent) {
        faults.silent = true;
    } else if (row.fault == Fault::RefusedWrite) {
        faults.refusedWrite = static_cast<unsigned>(kLowLow);
    } else if (row.fault == Fault::PulledCable) {
        faults.pullAfter = kFaultBlock;
    }
    return faults;
}

// The user in the Power dialog: Low Low, then one step right, each time
// waiting for the exchange's end, then Exit if the dialog is still open.
void DrivePower(CPowerDlg& dialog) {
    QTest::mouseClick(&gui_test::Child<QPushButton>(dialog, "lowLowButton"), Qt::LeftButton);
    QTRY_VERIFY(dialog.Active() || !dialog.isVisible());
    if (dialog.isVisible()) {
        const QString before = gui_test::Child<QLabel>(dialog, "display").text();
        QTest::keyClick(&gui_test::Child<QScrollBar>(dialog, "scrollBar"), Qt::Key_Right);
        QTRY_VERIFY(!dialog.isVisible() ||
                    gui_test::Child<QLabel>(dialog, "display").text() != before);
    }
    if (dialog.isVisible()) {
        QTest::mouseClick(&gui_test::Child<QPushButton>(dialog, "exitButton"), Qt::LeftButton);
    }
}

// The user in the progress dialog: Cancel, or Start; once started, Escape,
// the close box and a second Start do nothing.
void DriveProgress(CProgressDlg& dialog, Fault fault) {
    if (fault == Fault::Cancelled) {
        QTest::mouseClick(&gui_test::Child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
        return;
    }
    QTest::mouseClick(&gui_test::Child<QPushButton>(dialog, "startButton"), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.close());
    QTest::mouseClick(&gui_test::Child<QPushButton>(dialog, "startButton"), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
}

// A key held down through `repeats` repeats, then let go.
void HoldKey(QWidget& widget, Qt::Key key, int repeats) {
    const auto send = [&](QEvent::Type type, bool autoRepeat) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(&widget, &event);
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < repeats; ++i) {
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
        QCoreApplication::processEvents();  // repeats come apart in time
    }
    send(QEvent::KeyRelease, false);
}

void SendMouse(QScrollBar& bar, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, bar.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&bar, &event);
}

QPoint HandleCentre(const QScrollBar& bar) {
    struct Access : QScrollBar {
        using QScrollBar::initStyleOption;
    };
    QStyleOptionSlider option;
    (bar.*&Access::initStyleOption)(&option);
    return bar.style()
        ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar)
        .center();
}

}  // namespace

class RadioDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(data_.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(data_.path()));
    }

    void init() { window_ = std::make_unique<gui_test::Window>(); }
    void cleanup() {
        window_.reset();
        dialog_.reset();
        radio_.reset();
    }

    void faultThroughTheWindow_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < static_cast<int>(std::size(kMatrix)); ++i) {
            QTest::newRow(kMatrix[i].name) << i;
        }
    }

    // The message (or none), and what is left afterwards: a failure leaves
    // the image (but for the panel's password, which a Read or Write takes
    // first), the form and the files as they were; a Read shows the radio's
    // memory and keeps a copy; a Write sends the form.
    void faultThroughTheWindow() {
        QFETCH(int, index);
        const FaultRow& row = kMatrix[index];
        const bool power = row.direction == Direction::Power;
        const MemoryImage memory = RadioMemory(row.fault);
        RadioOnPty radio(memory, FaultsOf(row));
        const QString path = QString::fromStdString(radio.Path());
        StartWith(path);
        // A serial terminal holding the port: its lock file and exclusive mode.
        QSerialPort terminal(path);
        if (row.fault == Fault::BusyPort) {
            QVERIFY(terminal.open(QIODevice::ReadWrite));
        }
        MemoryImage before = window_->Image();
        if (!power) {
            window_->View().PasswordEdit().setText(QString::fromLatin1(kTypedPassword));
            torvan::EncodePasswordBytes(kTypedPassword, before);
        }
        const QStringList shown = FormTexts(window_->View());
        const QByteArray file = window_->folder.Read(QStringLiteral("crafted.sin"));
        const QByteArray ini = window_->folder.Read(QStringLiteral("Program.ini"));
        const qsizetype copies = ReadCopies().size();

        const auto boxes = RunCommand(row);

        QCOMPARE(boxes.size(), *row.message != '\0' ? 1 : 0);
        if (!boxes.isEmpty()) {
            const QString& box = boxes.first();
            QVERIFY2(box.startsWith(QStringLiteral("Torvan PC Encoder: %1 (%2)\n")
                                        .arg(QString::fromLatin1(row.message),
                                             QString::fromLatin1(row.behind))),
                     qPrintable(box));
            const QStringList reason = QString::fromLatin1(row.reason).split(QLatin1Char('*'));
            QVERIFY2(std::all_of(reason.begin(), reason.end(),
                                 [&](const QString& part) { return box.contains(part); }),
                     qPrintable(box));
            QCOMPARE(box.endsWith(QLatin1Char('\n')), *row.reason == '\0');
        }
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(window_->folder.Read(QStringLiteral("crafted.sin")), file);
        QCOMPARE(window_->folder.Read(QStringLiteral("Program.ini")), ini);
        const bool readTaken = row.direction == Direction::Read && row.fault == Fault::None;
        QCOMPARE(window_->Image(), readTaken ? memory : before);
        torvan::MemoryForm taken;
        gui_test::Decode(memory, window_->folder.IniPath(), taken);
        QCOMPARE(FormTexts(window_->View()), readTaken ? FormTexts(taken) : shown);
        QCOMPARE(ReadCopies().size(), copies + (readTaken ? 1 : 0));
        // A Read names its copy; a Write says when it completed.
        const QString status = window_->Frame().statusBar()->currentMessage();
        if (readTaken) {
            QVERIFY2(status.endsWith(ReadCopies().last()), qPrintable(status));
        } else if (row.direction == Direction::Write && row.fault == Fault::None) {
            const QRegularExpression done(
                QStringLiteral("^Write data: done at \\d\\d:\\d\\d:\\d\\d$"));
            QVERIFY2(done.match(status).hasMatch(), qPrintable(status));
        }
        radio.Finish();
        // A value the radio refused came after a point was queried, so the
        // tuning was ended before the dialog closed.
        QCOMPARE(radio.Counters().tuningEnds, row.fault == Fault::RefusedWrite ? 1U : 0U);
        if (row.fault == Fault::Cancelled) {
            QCOMPARE(radio.Counters().handshakes, 0U);
        }
        // A successful Write sends the form's channels, the typed password
        // with them; the blocks of a cut-off Write are the link tests' part.
        MemoryImage sent = memory;
        if (row.direction == Direction::Write && row.fault == Fault::None) {
            std::copy_n(before.bytes().begin(), 0xE00, sent.bytes().begin());
        }
        if (row.fault != Fault::PulledCable) {
            QCOMPARE(radio.Memory(), sent);
        }
    }

    // A level button queries its point; then a held key and a drag are one
    // gesture each: the radio hears the value once, when the key or the
    // button is let go.
    void levelButtonThenGesturesSendOnce() {
        MemoryImage memory = torvan::sim::PatternMemory(1);
        memory[kLowLow] = 10;
        Open(memory);
        QScrollBar& bar = gui_test::Child<QScrollBar>(*dialog_, "scrollBar");
        QCOMPARE(gui_test::Child<QLabel>(*dialog_, "display").text(), QStringLiteral("0"));
        QVERIFY(!bar.isEnabled());
        QTest::mouseClick(&gui_test::Child<QPushButton>(*dialog_, "lowLowButton"), Qt::LeftButton);
        QCOMPARE(gui_test::Child<QLabel>(*dialog_, "display").text(), QStringLiteral("Low Low 10"));
        QCOMPARE(bar.value(), 10);
        QVERIFY(bar.isEnabled() && bar.hasFocus());
        QVERIFY(!gui_test::Child<QPushButton>(*dialog_, "highHighButton").isEnabled());
        QCOMPARE(radio_->Counters().levelQueries, 1U);
        QCOMPARE(radio_->Counters().levelPrepares, 0U);
        HoldKey(bar, Qt::Key_Right, 4);
        QTRY_COMPARE(gui_test::Child<QLabel>(*dialog_, "display").text(),
                     QStringLiteral("Low Low 15"));
        QCOMPARE(radio_->Counters().levelPrepares, 1U);
        QPoint at = HandleCentre(bar);
        SendMouse(bar, QEvent::MouseButtonPress, at, Qt::LeftButton);
        for (int i = 0; i < 5; ++i) {
            at += QPoint(6, 0);
            SendMouse(bar, QEvent::MouseMove, at, Qt::NoButton);
        }
        const int last = bar.sliderPosition();
        QVERIFY(last > 15);
        SendMouse(bar, QEvent::MouseButtonRelease, at, Qt::LeftButton);
        QTRY_COMPARE(gui_test::Child<QLabel>(*dialog_, "display").text(),
                     QStringLiteral("Low Low %1").arg(last));
        radio_->Finish();
        QCOMPARE(radio_->Memory()[kLowLow], last);
        QCOMPARE(radio_->Counters().levelPrepares, 2U);
    }

    // End always ends the tuning and resets; Exit ends it only for an
    // active point, and nothing at all crosses the line otherwise.
    void endAndExit() {
        // A point active, End (or Exit), the end-tuning commands sent.
        const std::tuple<bool, bool, unsigned> cases[] = {
            {false, true, 1U}, {true, true, 1U}, {false, false, 0U}, {true, false, 1U}};
        for (const auto& [active, end, ends] : cases) {
            Open(torvan::sim::PatternMemory(1));
            if (active) {
                QTest::mouseClick(&gui_test::Child<QPushButton>(*dialog_, "highLowButton"),
                                  Qt::LeftButton);
                QVERIFY(dialog_->Active());
            }
            QTest::mouseClick(end ? &gui_test::Child<QPushButton>(*dialog_, "endButton")
                                  : &gui_test::Child<QPushButton>(*dialog_, "exitButton"),
                              Qt::LeftButton);
            QCOMPARE(dialog_->isVisible(), end);
            if (end) {
                QVERIFY(!dialog_->Active());
                QCOMPARE(gui_test::Child<QLabel>(*dialog_, "display").text(), QStringLiteral("0"));
                QVERIFY(gui_test::Child<QPushButton>(*dialog_, "lowLowButton").isEnabled());
                QVERIFY(!gui_test::Child<QScrollBar>(*dialog_, "scrollBar").isEnabled());
            }
            QTRY_COMPARE(radio_->Counters().tuningEnds, ends);
            radio_->Finish();
            QCOMPARE(radio_->Counters().handshakes, (active ? 1U : 0U) + ends);
        }
    }

private:
    // The radio's memory: the opened file's band and the typed password,
    // unless the fault is a mismatch of one of them.
    MemoryImage RadioMemory(Fault fault) const {
        const MemoryImage crafted = gui_test::CraftedImage(window_->folder.IniPath());
        MemoryImage memory = torvan::sim::PatternMemory(11);
        torvan::EncodePasswordBytes(fault == Fault::WrongPassword ? "1234" : kTypedPassword,
                                    memory);
        for (std::size_t i = torvan::offset::kBandSignature; i < torvan::offset::kBandSignature + 3;
             ++i) {
            memory[i] = crafted[i];
        }
        if (fault == Fault::BandMismatch) {
            memory[torvan::offset::kBandSignature] = 0x99;
        }
        return memory;
    }

    // The window with the crafted file open and `port` chosen.
    void StartWith(const QString& port) {
        window_->folder.WriteIni(gui_test::kProfiles + "COM=" + port.toUtf8() + "\n");
        const QString crafted = window_->WriteCrafted(QStringLiteral("crafted.sin"));
        QVERIFY(window_->Start({QStringLiteral("torvan-encoder"), crafted}));
        gui_test::WaitActive(window_->Frame());
    }

    // Triggers the command and plays the user in its dialog. Returns the
    // boxes that came up, each answered with OK, as "TITLE: TEXT (the percent
    // behind it)", marked when it is no warning with OK alone, a line break
    // and the informative text.
    QStringList RunCommand(const FaultRow& row) {
        QStringList boxes;
        QTimer watcher;  // a timer of its own: the user's is busy while a box is up
        connect(&watcher, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            QWidget* owner = box->parentWidget();
            const auto* percent =
                owner ? owner->findChild<QLabel*>(QStringLiteral("percentLabel")) : nullptr;
            const QString behind = percent == nullptr   ? QString()
                                   : owner->isVisible() ? percent->text()
                                                        : QStringLiteral("(hidden)");
            const bool warning =
                box->icon() == QMessageBox::Warning && box->standardButtons() == QMessageBox::Ok;
            boxes << (warning ? "" : "(other) ") + box->windowTitle() + ": " + box->text() + " (" +
                         behind + ")\n" + box->informativeText();
            if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
                QTest::mouseClick(ok, Qt::LeftButton);
            } else {
                box->reject();
            }
        });
        watcher.start(10);
        QTimer user;
        connect(&user, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* progress = qobject_cast<CProgressDlg*>(modal)) {
                user.stop();
                DriveProgress(*progress, row.fault);
            } else if (auto* dialog = qobject_cast<CPowerDlg*>(modal)) {
                user.stop();
                DrivePower(*dialog);
            }
        });
        user.start(5);
        window_->Trigger(row.direction == Direction::Read    ? command::kProgramRead
                         : row.direction == Direction::Write ? command::kProgramWrite
                                                             : command::kEditPower);
        return boxes;
    }

    QStringList ReadCopies() const {
        return QDir(data_.filePath(QStringLiteral("torvan-pc-encoder")))
            .entryList({QStringLiteral("radio-read-*.sin")}, QDir::Files, QDir::Name);
    }

    void Open(const MemoryImage& memory, torvan::sim::RadioFaults faults = {}) {
        dialog_.reset();
        radio_ = std::make_unique<RadioOnPty>(memory, std::move(faults));
        dialog_ = std::make_unique<CPowerDlg>(torvan::PortDevice::Success(radio_->Path()));
        QVERIFY(dialog_->OnInitDialog());
        dialog_->show();
        gui_test::WaitActive(*dialog_);
    }

    QTemporaryDir data_;
    std::unique_ptr<gui_test::Window> window_;
    std::unique_ptr<RadioOnPty> radio_;
    std::unique_ptr<CPowerDlg> dialog_;
};

GUI_TEST_MAIN(RadioDialogsTest)
#include "RadioDialogsTest.moc"
