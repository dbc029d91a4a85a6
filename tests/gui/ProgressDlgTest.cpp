// Program Read and Write from the window, against the simulated radio.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "GuiTestSupport.h"
#include "RadioTestSupport.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "editor/CProgramView.h"
#include "link/gui/CProgressDlg.h"
#include "model/ChannelFile.h"
#include "model/ImageCodec.h"
#include "model/MemoryForm.h"

using gui_test::BoxWatcher;
using gui_test::FormTexts;
using gui_test::RadioOnPty;
using torvan::MemoryImage;

namespace {

using Drive = std::function<void(CProgressDlg&)>;

void PressStart(CProgressDlg& dialog) {
    QTest::mouseClick(&dialog.StartButton(), Qt::LeftButton);
}

MemoryImage WithPassword(MemoryImage image, const char* password) {
    torvan::EncodePasswordBytes(password, image);
    return image;
}

}  // namespace

class ProgressDlgTest : public QObject {
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

    // The panel's password reaches the radio's check; the whole memory then
    // shows on the form, and a copy of it is kept in the data folder.
    void readFillsTheFormAndKeepsACopy() {
        // The opened file's password is 4321; the one typed counts.
        const MemoryImage memory = WithPassword(torvan::sim::PatternMemory(7), "8765");
        RadioOnPty radio(memory);
        StartWith(radio.Path());
        View().PasswordEdit().clear();
        QTest::keyClicks(&View().PasswordEdit(), QStringLiteral("8765"));
        const QDir copies(data_.filePath(QStringLiteral("torvan-pc-encoder")));
        const qsizetype copiesBefore = copies.entryList(QDir::Files).size();

        QVERIFY(RunCommand(command::kProgramRead, PressStart).isEmpty());

        QCOMPARE(Image(), memory);
        torvan::MemoryForm expected;
        torvan::FrequencyLimits limits;
        torvan::DecodeImage(memory, torvan::ReadModelCatalog(torvan::IniStore(folder_->IniPath())), expected, limits);
        QCOMPARE(FormTexts(View()), FormTexts(expected));
        const QStringList files = copies.entryList({QStringLiteral("radio-read-*.sin")},
                                                   QDir::Files, QDir::Name);
        QCOMPARE(files.size(), copiesBefore + 1);
        MemoryImage copy;
        QVERIFY(torvan::LoadChannelFile(
                    QFile::encodeName(copies.filePath(files.last())).toStdString(), copy)
                    .ok);
        QCOMPARE(copy, memory);
        QVERIFY(Frame().statusBar()->currentMessage().contains(files.last()));
    }

    // Only 0x000-0xDFF and the band signature are written, from the form.
    void writeSendsTheFormsChannelsAndBandOnly() {
        const MemoryImage memory = BandOfTheFile(5);
        RadioOnPty radio(memory);
        StartWith(radio.Path());
        View().Grid().SetTextMatrix(2, 1, "150.00000");

        QVERIFY(RunCommand(command::kProgramWrite, PressStart).isEmpty());

        radio.Finish();
        const MemoryImage written = radio.Memory();
        torvan::MemoryForm radioForm;
        torvan::FrequencyLimits limits;
        torvan::DecodeImage(written, torvan::ReadModelCatalog(torvan::IniStore(folder_->IniPath())), radioForm, limits);
        QCOMPARE(radioForm.Grid().TextMatrix(2, 1), std::string("150.00000"));
        for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
            const bool sent = a < 0xE00 || (a >= 0xFF0 && a < 0xFF3);
            QVERIFY2(written[a] == (sent ? Image()[a] : memory[a]),
                     qPrintable(QString::number(a, 16)));
        }
        QCOMPARE(radio.Counters().writes, 449U);
    }

    void cancelBeforeStartTransfersNothing() {
        RadioOnPty radio(torvan::sim::PatternMemory(3));
        StartWith(radio.Path());
        const QStringList shown = FormTexts(View());
        const auto boxes = RunCommand(command::kProgramRead, [](CProgressDlg& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Read data"));
            QCOMPARE(dialog.ProgressBar().maximum(), 512);
            QTest::mouseClick(&dialog.CancelButton(), Qt::LeftButton);
        });
        QVERIFY(boxes.isEmpty());
        radio.Finish();
        QCOMPARE(radio.Counters().handshakes, 0U);
        QCOMPARE(FormTexts(View()), shown);
    }

    // Once started, neither Escape, the close box nor a second Start does
    // anything; the dialog closes at the transfer's end, at 100 %.
    void runningTransferRefusesEscapeCloseAndASecondStart() {
        const MemoryImage memory = BandOfTheFile(4);
        RadioOnPty radio(memory);
        StartWith(radio.Path());
        QString lastPercent;
        const auto boxes = RunCommand(command::kProgramWrite, [&lastPercent](CProgressDlg& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Write data"));
            connect(&dialog, &QDialog::finished, &dialog,
                    [&] { lastPercent = dialog.PercentLabel().text(); });
            PressStart(dialog);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(!dialog.close());
            PressStart(dialog);
            QVERIFY(dialog.isVisible());
            QTRY_VERIFY(!dialog.CancelButton().isEnabled());
            QVERIFY(!dialog.StartButton().isEnabled());
        });
        QVERIFY(boxes.isEmpty());
        QCOMPARE(lastPercent, QStringLiteral("100%"));
        radio.Finish();
        QCOMPARE(radio.Counters().handshakes, 2U);
        QCOMPARE(radio.Counters().writes, 449U);
    }

private:
    // A radio's memory with the crafted file's band, so a Write goes through.
    MemoryImage BandOfTheFile(unsigned seed) const {
        const MemoryImage crafted = gui_test::CraftedImage(folder_->IniPath());
        MemoryImage memory = torvan::sim::PatternMemory(seed);
        for (std::size_t i = 0xFF0; i < 0xFF3; ++i) {
            memory[i] = crafted[i];
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
    // Triggers a command; `drive` acts on its progress dialog once it is up.
    // Returns the message boxes that came up, each answered with OK.
    QList<gui_test::SeenBox> RunCommand(int id, const Drive& drive) {
        BoxWatcher boxes;
        QTimer::singleShot(0, this, [drive] {
            auto* dialog = qobject_cast<CProgressDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            drive(*dialog);
        });
        Frame().Action(id)->trigger();
        return boxes.seen;
    }
    CMainFrame& Frame() { return *app_->MainFrame(); }
    CProgramView& View() { return Frame().View(); }
    const MemoryImage& Image() { return app_->Document().Image(); }

    QTemporaryDir data_;
    std::unique_ptr<gui_test::TestFolder> folder_;
    gui_test::ScriptedPrompts prompts_;
    std::unique_ptr<CProgramApp> app_;
};

QTEST_MAIN(ProgressDlgTest)
#include "ProgressDlgTest.moc"
