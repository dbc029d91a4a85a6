// Every fault of the simulated radio and of the port, for Program Read,
// Program Write and Edit > Power, driven through the main window.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <functional>

#include "GuiTestSupport.h"
#include "RadioTestSupport.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "editor/CProgramView.h"
#include "link/gui/CPowerDlg.h"
#include "link/gui/CProgressDlg.h"
#include "model/ImageCodec.h"

using gui_test::BoxWatcher;
using gui_test::FormTexts;
using gui_test::RadioOnPty;
using torvan::LevelPoint;
using torvan::MemoryImage;

namespace {

enum class Direction { Read, Write, Power };

enum class Fault {
    Silent,
    IgnoredHandshakes,
    Reply16,
    WrongAck,
    RefusedWrite,
    Junk,
    PulledCable,
    WrongPassword,
    BandMismatch,
    BusyPort,          // held by another copy of this program
    BusyPortLockFile,  // held by a serial terminal: lock file, exclusive mode
    MissingPort,
};

// Where a block fault strikes: block 100 of a Read (19 %) or a Write (22 %).
constexpr unsigned kFaultBlock = 0x320;
constexpr std::size_t kLowLow = 0xFF8;
constexpr std::size_t kBandStart = 0xFF0;
constexpr std::size_t kBandEnd = 0xFF3;
constexpr int kPowerSteps = 2;  // the Power drive steps Low Low right twice

// What the box adds after the device's path: the system's reason and what
// the user can do.
constexpr const char* kLost = ": the line was lost (cable pulled or device removed)";
constexpr const char* kBusy =
    ": in use by another program\nClose the other program that holds the port.";
constexpr const char* kLocked = "\nClose the other program that holds the port.";
constexpr const char* kMissing = ": No such file or directory\nCheck that the cable is plugged in";

// What the user sees.
struct Shown {
    const char* message;  // the one box shown; empty: none
    const char* behind;   // the percent the progress dialog shows under it
    const char* reason;   // in the box's informative text; empty: no such text
    bool closesAlone;     // Power: the dialog closed before Exit was pressed
};

// What reached the radio.
struct Reached {
    int written;  // Write: end of the blocks it took; Power: steps of Low Low it took
    int ends;     // end-tuning commands it took
};

// The exchanges up to the failure, for the time it may take. `answered` <
// 0: the row succeeds, so there is no time to fail to bound.
struct Path {
    int missedHandshakes;
    int missedReplies;  // other replies that never came
    int answered;       // exchanges the radio answered
};

// One cell of the matrix.
struct FaultRow {
    const char* name;
    Direction direction;
    Fault fault;
    Shown shown;
    Reached reached;
    Path path;
};

// Left out, since the fault cannot arise there:
// - Read x refused write: a Read writes nothing.
// - Read x band mismatch: a Read takes the radio's band, it compares none.
// - Write x wrong password: a Write checks no password.
// - Power x wrong acknowledge: the radio's wrong acknowledge follows a block
//   read, which the tuning never asks for; the one acknowledge it sends
//   after a level query is not examined.
// - Power x wrong password, Power x band mismatch: the tuning checks neither.
// The 0x16, junk and tolerated-retry rows succeed: they show that the
// program accepts what the protocol allows.
// Each row: name, direction, fault; then {message, behind, reason, closes
// alone}, {written, ends}, {missed handshakes, missed replies, answered}.
// clang-format off
constexpr FaultRow kMatrix[] = {
    // Read: handshake, identify (2), password probe and its acknowledge come
    // first (5 exchanges); each block is a read and an acknowledge.
    {"Read, silent", Direction::Read, Fault::Silent,
     {"Communication error", "0%", "", false}, {0, 0}, {4, 0, 0}},
    {"Read, 3 handshakes ignored", Direction::Read, Fault::IgnoredHandshakes,
     {"", "", "", false}, {0, 0}, {3, 0, -1}},
    {"Read, 0x16 replies", Direction::Read, Fault::Reply16,
     {"", "", "", false}, {0, 0}, {0, 0, -1}},
    {"Read, wrong acknowledge", Direction::Read, Fault::WrongAck,
     {"Communication error", "19%", "", false}, {0, 0}, {0, 0, 5 + 2 * 101}},
    {"Read, junk", Direction::Read, Fault::Junk,
     {"", "", "", false}, {0, 0}, {0, 0, -1}},
    {"Read, pulled cable", Direction::Read, Fault::PulledCable,
     {"Communication error", "19%", kLost, false}, {0, 0}, {0, 1, 5 + 2 * 100 + 1}},
    {"Read, wrong password", Direction::Read, Fault::WrongPassword,
     {"Password error", "0%", "", false}, {0, 0}, {0, 0, 4}},
    {"Read, busy port", Direction::Read, Fault::BusyPort,
     {"Open the port fail", "0%", kBusy, false}, {0, 0}, {0, 0, 0}},
    {"Read, port of a serial terminal", Direction::Read, Fault::BusyPortLockFile,
     {"Open the port fail", "0%", kLocked, false}, {0, 0}, {0, 0, 0}},
    {"Read, missing port", Direction::Read, Fault::MissingPort,
     {"Open the port fail", "0%", kMissing, false}, {0, 0}, {0, 0, 0}},
    // Write: handshake, identify (2), band probe, acknowledge, then a second
    // handshake and identify (8 exchanges) before block 0.
    {"Write, silent", Direction::Write, Fault::Silent,
     {"Communication error", "0%", "", false}, {0, 0}, {4, 0, 0}},
    {"Write, handshakes 1 2 4 5 ignored", Direction::Write, Fault::IgnoredHandshakes,
     {"Communication error", "0%", "", false}, {0, 0}, {4, 0, 5}},
    {"Write, 0x16 replies", Direction::Write, Fault::Reply16,
     {"", "", "", false}, {0xE00, 0}, {0, 0, -1}},
    {"Write, wrong acknowledge of the band probe", Direction::Write, Fault::WrongAck,
     {"", "", "", false}, {0xE00, 0}, {0, 0, -1}},
    {"Write, refused write", Direction::Write, Fault::RefusedWrite,
     {"Communication error", "22%", "", false}, {kFaultBlock, 0}, {0, 0, 8 + 101}},
    {"Write, junk", Direction::Write, Fault::Junk,
     {"", "", "", false}, {0xE00, 0}, {0, 0, -1}},
    {"Write, pulled cable", Direction::Write, Fault::PulledCable,
     {"Communication error", "22%", kLost, false}, {kFaultBlock + 8, 0}, {0, 1, 8 + 101}},
    {"Write, band mismatch", Direction::Write, Fault::BandMismatch,
     {"Frequency is not match.", "0%", "", false}, {0, 0}, {0, 0, 4}},
    {"Write, busy port", Direction::Write, Fault::BusyPort,
     {"Open the port fail", "0%", kBusy, false}, {0, 0}, {0, 0, 0}},
    {"Write, port of a serial terminal", Direction::Write, Fault::BusyPortLockFile,
     {"Open the port fail", "0%", kLocked, false}, {0, 0}, {0, 0, 0}},
    {"Write, missing port", Direction::Write, Fault::MissingPort,
     {"Open the port fail", "0%", kMissing, false}, {0, 0}, {0, 0, 0}},
    // Power: a query is a handshake, the query and an acknowledge; a send a
    // handshake, "Ma" and the write; the end a handshake and the end command.
    {"Power, silent", Direction::Power, Fault::Silent,
     {"", "", "", true}, {0, 0}, {3, 0, 0}},
    {"Power, handshakes 2 3 4 ignored", Direction::Power, Fault::IgnoredHandshakes,
     {"", "", "", true}, {0, 1}, {3, 0, 3 + 2}},
    {"Power, 0x16 replies", Direction::Power, Fault::Reply16,
     {"", "", "", false}, {kPowerSteps, 1}, {0, 0, -1}},
    {"Power, refused write", Direction::Power, Fault::RefusedWrite,
     {"", "", "", true}, {0, 1}, {0, 0, 3 + 3 + 2}},
    {"Power, junk", Direction::Power, Fault::Junk,
     {"", "", "", false}, {kPowerSteps, 1}, {0, 0, -1}},
    {"Power, pulled cable", Direction::Power, Fault::PulledCable,
     {"", "", "", true}, {1, 0}, {6, 0, 3 + 3}},
    {"Power, busy port", Direction::Power, Fault::BusyPort,
     {"Open the port fail", "", kBusy, false}, {0, 0}, {0, 0, 0}},
    {"Power, port of a serial terminal", Direction::Power, Fault::BusyPortLockFile,
     {"Open the port fail", "", kLocked, false}, {0, 0}, {0, 0, 0}},
    {"Power, missing port", Direction::Power, Fault::MissingPort,
     {"Open the port fail", "", kMissing, false}, {0, 0}, {0, 0, 0}},
};
// clang-format on

torvan::sim::RadioFaults FaultsOf(const FaultRow& row) {
    torvan::sim::RadioFaults faults;
    const bool power = row.direction == Direction::Power;
    const unsigned block = power ? static_cast<unsigned>(kLowLow) : kFaultBlock;
    switch (row.fault) {
        case Fault::Silent:
            faults.silent = true;
            break;
        case Fault::IgnoredHandshakes:
            faults.ignoredHandshakes = row.direction == Direction::Read ? std::set{1U, 2U, 3U}
                                       : row.direction == Direction::Write
                                           ? std::set{1U, 2U, 4U, 5U}
                                           : std::set{2U, 3U, 4U};
            break;
        case Fault::Reply16:
            faults.reply16 = true;
            break;
        case Fault::WrongAck:
            faults.badAckAfterRead =
                row.direction == Direction::Write ? static_cast<unsigned>(kBandStart) : block;
            break;
        case Fault::RefusedWrite:
            faults.refusedWrite = block;
            break;
        case Fault::Junk:
            faults.junk = true;
            break;
        case Fault::PulledCable:
            faults.pullAfter = block;
            break;
        default:
            break;
    }
    return faults;
}

// The longest a failure may take under the port's time-outs. A reply that
// never comes costs its read's total time-out (multiplier x count +
// constant); a missed handshake adds its seven bytes, each after its pause
// (and, in the tuning, the pause before the next attempt). An answered
// exchange costs at most a full 20-byte buffer each way on the line plus
// the seven 5 ms pauses of the slowest handshake.
int BoundMs(const FaultRow& row) {
    constexpr int kByteUs = 1042;  // one byte of 8N1 at 9600 baud
    const bool power = row.direction == Direction::Power;
    const torvan::TimeoutProfile& profile = power ? torvan::TuningPacing : torvan::ClonePacing;
    const int oneByteReply = static_cast<int>(profile.readMultiplier + profile.readConstant);
    const int handshakeBytes = (7 * kByteUs + 999) / 1000 + (power ? 7 * 5 + 10 : 7 * 2);
    const int answeredMs = (2 * 20 * kByteUs + 999) / 1000 + 7 * 5;
    return row.path.missedHandshakes * (handshakeBytes + oneByteReply) +
           row.path.missedReplies * oneByteReply + row.path.answered * answeredMs;
}

// Room for a loaded machine on top of the protocol's bound; it bounds a
// hang, it is no speed target.
constexpr qint64 kMarginMs = 3000;

// Another program holding the port: another copy of this one (an advisory
// lock on the device) or a serial terminal (the usual lock file and the
// terminal's exclusive mode, as QSerialPort takes them).
class PortHolder {
public:
    PortHolder(Fault fault, const QString& path) {
        if (fault == Fault::BusyPort) {
            fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            held_ = fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
        } else if (fault == Fault::BusyPortLockFile) {
            terminal_.setPortName(path);
            held_ = terminal_.open(QIODevice::ReadWrite);
        }
    }
    ~PortHolder() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;
    bool Held() const { return held_; }

private:
    int fd_ = -1;
    QSerialPort terminal_;
    bool held_ = false;
};

// The user's part in the Power dialog: Low Low, then Right twice, each time
// waiting for the exchange's end, then Exit if the dialog is still open.
// Returns whether it closed by itself.
bool DrivePower(CPowerDlg& dialog) {
    constexpr int kWaitMs = 20000;
    bool alone = false;
    [&] {
        QTest::mouseClick(&dialog.LevelButton(LevelPoint::LowLow), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Active() || !dialog.isVisible(), kWaitMs);
        for (int step = 0; step < kPowerSteps && dialog.isVisible(); ++step) {
            const QString before = dialog.Display().text();
            QTest::keyClick(&dialog.ScrollBar(), Qt::Key_Right);
            QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible() || dialog.Display().text() != before,
                                     kWaitMs);
        }
    }();
    alone = !dialog.isVisible();
    if (!alone) {
        QTest::mouseClick(&dialog.ExitButton(), Qt::LeftButton);
    }
    return alone;
}

}  // namespace

class FaultMatrixTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(data_.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(data_.path()));
    }

    void init() {
        folder_ = std::make_unique<gui_test::TestFolder>();
        folder_->WriteIni(gui_test::kProfiles);
    }

    void cleanup() {
        app_.reset();
        folder_.reset();
    }

    void faultThroughTheWindow_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < static_cast<int>(std::size(kMatrix)); ++i) {
            QTest::newRow(kMatrix[i].name) << i;
        }
    }

    // The message (or none), the time to fail, and what is left afterwards:
    // the image and the form as before (a Read that succeeds takes the
    // radio's memory and keeps one copy), the opened file untouched, and in
    // the radio only what was acknowledged.
    void faultThroughTheWindow() {
        QFETCH(int, index);
        const FaultRow& row = kMatrix[index];
        const MemoryImage memory = RadioMemory(row.fault);
        // TORVAN_PACED_RADIO=1: the radio at the line's real speed (about a
        // minute for the whole matrix instead of seconds).
        RadioOnPty radio(memory, FaultsOf(row), qEnvironmentVariableIsSet("TORVAN_PACED_RADIO"));
        StartWith(row.fault == Fault::MissingPort ? QStringLiteral("/dev/no-such-tty")
                                                  : radio.Path());
        const PortHolder holder(row.fault, radio.Path());
        QCOMPARE(holder.Held(),
                 row.fault == Fault::BusyPort || row.fault == Fault::BusyPortLockFile);
        const MemoryImage before = Image();
        const QStringList shown = FormTexts(View());
        const QByteArray file = folder_->Read(QStringLiteral("crafted.sin"));
        const QByteArray ini = folder_->Read(QStringLiteral("Program.ini"));
        const qsizetype copies = ReadCopies();

        bool closedAlone = false;
        QElapsedTimer clock;
        clock.start();
        const auto boxes = RunCommand(row.direction, closedAlone);
        const qint64 elapsed = clock.elapsed();

        QCOMPARE(boxes.size(), *row.shown.message != '\0' ? 1 : 0);
        if (!boxes.isEmpty()) {
            const gui_test::SeenBox& box = boxes.first();
            QCOMPARE(box.title, QStringLiteral("Torvan PC Encoder"));
            QCOMPARE(box.text, QString::fromLatin1(row.shown.message));
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.behind, QString::fromLatin1(row.shown.behind));
            const QString reason = QString::fromLatin1(row.shown.reason);
            QVERIFY2(
                reason.isEmpty() ? box.informative.isEmpty() : box.informative.contains(reason),
                qPrintable(box.informative));
        }
        QCOMPARE(closedAlone, row.shown.closesAlone);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        if (row.path.answered >= 0) {
            const int bound = BoundMs(row);
            qInfo("%s: failed in %lld ms, bound %d ms", row.name, elapsed, bound);
            QVERIFY2(elapsed <= bound + kMarginMs, qPrintable(QString::number(elapsed)));
        }

        const bool readTaken = row.direction == Direction::Read && *row.shown.message == '\0';
        QCOMPARE(Image(), readTaken ? memory : before);
        if (!readTaken) {
            QCOMPARE(FormTexts(View()), shown);
        }
        QCOMPARE(ReadCopies(), copies + (readTaken ? 1 : 0));
        QCOMPARE(folder_->Read(QStringLiteral("crafted.sin")), file);
        QCOMPARE(folder_->Read(QStringLiteral("Program.ini")), ini);
        radio.Finish();
        QCOMPARE(radio.Counters().tuningEnds, static_cast<unsigned>(row.reached.ends));
        if (row.fault == Fault::Silent) {  // no attempt left out
            QCOMPARE(radio.Counters().handshakes, static_cast<unsigned>(row.path.missedHandshakes));
        }
        QCOMPARE(radio.Memory(), Reached(row, memory, before));
    }

private:
    // The radio's memory: the opened file's band and password, unless the
    // fault is a mismatch of one of them.
    MemoryImage RadioMemory(Fault fault) const {
        const MemoryImage crafted = gui_test::CraftedImage(folder_->IniPath());
        MemoryImage memory = torvan::sim::PatternMemory(11);
        torvan::EncodePasswordBytes(fault == Fault::WrongPassword ? "1234" : "4321", memory);
        for (std::size_t i = kBandStart; i < kBandEnd; ++i) {
            memory[i] = crafted[i];
        }
        if (fault == Fault::BandMismatch) {
            memory[kBandStart] = 0x99;
        }
        return memory;
    }

    // What the radio should hold: a Write's acknowledged blocks (and, after
    // the last one, the band signature) from the image, a Power's sent steps.
    static MemoryImage Reached(const FaultRow& row, MemoryImage memory, const MemoryImage& image) {
        if (row.direction == Direction::Write) {
            for (std::size_t a = 0; a < static_cast<std::size_t>(row.reached.written); ++a) {
                memory[a] = image[a];
            }
        } else if (row.direction == Direction::Power) {
            memory[kLowLow] = static_cast<std::uint8_t>(memory[kLowLow] + row.reached.written);
        }
        return memory;
    }

    // The window with the crafted file open and `port` chosen.
    void StartWith(const QString& port) {
        folder_->WriteIni(gui_test::kProfiles + "COM=" + port.toUtf8() + "\n");
        folder_->Write(QStringLiteral("crafted.sin"),
                       gui_test::ToBytes(gui_test::CraftedImage(folder_->IniPath())));
        app_ = std::make_unique<CProgramApp>(folder_->Environment(), prompts_.Make());
        QVERIFY(app_->InitInstance(
            {QStringLiteral("torvan-encoder"), folder_->File(QStringLiteral("crafted.sin"))}));
        gui_test::WaitActive(Frame());
    }

    // Triggers the command and plays the user: Start in the progress dialog,
    // the Power drive in the tuning dialog. Returns the boxes that came up,
    // each answered with OK.
    QList<gui_test::SeenBox> RunCommand(Direction direction, bool& closedAlone) {
        BoxWatcher boxes;
        QTimer user;
        connect(&user, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* progress = qobject_cast<CProgressDlg*>(modal)) {
                user.stop();
                QTest::mouseClick(&progress->StartButton(), Qt::LeftButton);
            } else if (auto* power = qobject_cast<CPowerDlg*>(modal)) {
                user.stop();
                closedAlone = DrivePower(*power);
            }
        });
        user.start(5);
        const int id = direction == Direction::Read    ? command::kProgramRead
                       : direction == Direction::Write ? command::kProgramWrite
                                                       : command::kEditPower;
        Frame().Action(id)->trigger();
        return boxes.seen;
    }

    qsizetype ReadCopies() const {
        return QDir(data_.filePath(QStringLiteral("torvan-pc-encoder")))
            .entryList({QStringLiteral("radio-read-*.sin")}, QDir::Files)
            .size();
    }
    CMainFrame& Frame() { return *app_->MainFrame(); }
    CProgramView& View() { return Frame().View(); }
    const MemoryImage& Image() { return app_->Document().Image(); }

    QTemporaryDir data_;
    std::unique_ptr<gui_test::TestFolder> folder_;
    gui_test::ScriptedPrompts prompts_;
    std::unique_ptr<CProgramApp> app_;
};

QTEST_MAIN(FaultMatrixTest)
#include "FaultMatrixTest.moc"
