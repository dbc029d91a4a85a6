// The Power dialog against the simulated radio.
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>

#include "GuiTestSupport.h"
#include "RadioTestSupport.h"
#include "link/gui/CPowerDlg.h"

using gui_test::BoxWatcher;
using gui_test::RadioOnPty;
using torvan::LevelPoint;
using torvan::MemoryImage;

namespace {

constexpr std::size_t kLowLow = 0xFF8;

MemoryImage WithLowLow(int value) {
    MemoryImage memory = torvan::sim::PatternMemory(1);
    memory[kLowLow] = static_cast<std::uint8_t>(value);
    return memory;
}

void SendKey(QWidget& widget, QEvent::Type type, Qt::Key key, bool autoRepeat) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(&widget, &event);
}

// "Left", "PageUp"...: one press and release; "hold Right 4": a key held
// down through four repeats.
void Type(QWidget& widget, const QString& keys) {
    static const QMap<QString, Qt::Key> names = {{"Left", Qt::Key_Left},
                                                 {"Right", Qt::Key_Right},
                                                 {"PageUp", Qt::Key_PageUp},
                                                 {"PageDown", Qt::Key_PageDown},
                                                 {"Home", Qt::Key_Home}};
    const QStringList word = keys.split(QLatin1Char(' '));
    if (word[0] != QLatin1String("hold")) {
        QTest::keyClick(&widget, names.value(word[0]));
        return;
    }
    const Qt::Key key = names.value(word[1]);
    SendKey(widget, QEvent::KeyPress, key, false);
    for (int i = 0; i < word[2].toInt(); ++i) {
        SendKey(widget, QEvent::KeyRelease, key, true);
        SendKey(widget, QEvent::KeyPress, key, true);
    }
    SendKey(widget, QEvent::KeyRelease, key, false);
}

void SendMouse(QScrollBar& bar, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                                                      : Qt::LeftButton;
    QMouseEvent event(type, at, bar.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&bar, &event);
}

QPoint HandleCentre(const QScrollBar& bar) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.state |= QStyle::State_Horizontal;
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    return bar.style()
        ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar)
        .center();
}

}  // namespace

class PowerDlgTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        dialog_.reset();
        radio_.reset();
    }

    void levelButtonQueriesItsPoint() {
        Open(torvan::sim::PatternMemory(1));  // Middle High holds 0xB0
        QCOMPARE(dialog_->Display().text(), QStringLiteral("0"));
        QVERIFY(!dialog_->ScrollBar().isEnabled());
        QTest::mouseClick(&dialog_->LevelButton(LevelPoint::MiddleHigh), Qt::LeftButton);
        QCOMPARE(dialog_->Display().text(), QStringLiteral("Middle High 176"));
        QCOMPARE(dialog_->ScrollBar().value(), 176);
        QVERIFY(dialog_->ScrollBar().isEnabled());
        QVERIFY(dialog_->ScrollBar().hasFocus());
        for (const torvan::LevelPointInfo& info : torvan::kLevelPoints) {
            QVERIFY(!dialog_->LevelButton(info.point).isEnabled());
        }
        QCOMPARE(radio_->Counters().levelQueries, 1U);
        QCOMPARE(radio_->Counters().levelPrepares, 0U);
    }

    void stepsSendOnceAtTheEnd_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("shown");
        QTest::addColumn<unsigned>("sends");
        QTest::addColumn<bool>("reply16");
        QTest::newRow("line right at 255 sends nothing") << 255 << "Right" << 255 << 0U << false;
        QTest::newRow("page right from 250 stops at 255") << 250 << "PageDown" << 255 << 1U << false;
        QTest::newRow("held key") << 10 << "hold Right 4" << 15 << 1U << false;
        QTest::newRow("radio answering 0x16") << 128 << "Right" << 129 << 1U << true;
    }

    void stepsSendOnceAtTheEnd() {
        QFETCH(int, start);
        QFETCH(QString, keys);
        QFETCH(int, shown);
        QFETCH(unsigned, sends);
        QFETCH(bool, reply16);
        torvan::sim::RadioFaults faults;
        faults.reply16 = reply16;
        Open(WithLowLow(start), faults);
        QTest::mouseClick(&dialog_->LevelButton(LevelPoint::LowLow), Qt::LeftButton);
        QCOMPARE(dialog_->ScrollBar().value(), start);

        Type(dialog_->ScrollBar(), keys);
        QTRY_COMPARE(radio_->Counters().levelPrepares, sends);
        QTRY_COMPARE(dialog_->Display().text(), QStringLiteral("Low Low %1").arg(shown));
        QCOMPARE(dialog_->ScrollBar().value(), shown);
        radio_->Finish();
        QCOMPARE(radio_->Memory()[kLowLow], shown);
        QCOMPARE(radio_->Counters().levelPrepares, sends);
    }

    void dragSendsItsLastPositionOnce() {
        Open(WithLowLow(0x80));
        QTest::mouseClick(&dialog_->LevelButton(LevelPoint::LowLow), Qt::LeftButton);
        QScrollBar& bar = dialog_->ScrollBar();
        QPoint at = HandleCentre(bar);
        SendMouse(bar, QEvent::MouseButtonPress, at, Qt::LeftButton);
        for (int i = 0; i < 5; ++i) {
            at += QPoint(6, 0);
            SendMouse(bar, QEvent::MouseMove, at, Qt::NoButton);
        }
        const int last = bar.sliderPosition();
        QVERIFY(last > 0x80);
        SendMouse(bar, QEvent::MouseButtonRelease, at, Qt::LeftButton);
        QTRY_COMPARE(dialog_->Display().text(), QStringLiteral("Low Low %1").arg(last));
        radio_->Finish();
        QCOMPARE(radio_->Memory()[kLowLow], last);
        QCOMPARE(radio_->Counters().levelPrepares, 1U);
    }

    void endAndExit_data() {
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("button");
        QTest::addColumn<unsigned>("ends");
        QTest::newRow("End, no point") << false << "End" << 1U;
        QTest::newRow("End, point active") << true << "End" << 1U;
        QTest::newRow("Exit, no point") << false << "Exit" << 0U;
        QTest::newRow("Exit, point active") << true << "Exit" << 1U;
    }

    // End always ends the tuning and resets; Exit ends it only for an
    // active point, and nothing at all crosses the line otherwise.
    void endAndExit() {
        QFETCH(bool, active);
        QFETCH(QString, button);
        QFETCH(unsigned, ends);
        Open(torvan::sim::PatternMemory(1));
        if (active) {
            QTest::mouseClick(&dialog_->LevelButton(LevelPoint::HighLow), Qt::LeftButton);
            QVERIFY(dialog_->Active());
        }
        const bool end = button == QLatin1String("End");
        QTest::mouseClick(end ? &dialog_->EndButton() : &dialog_->ExitButton(), Qt::LeftButton);
        QCOMPARE(dialog_->isVisible(), end);
        if (end) {
            QVERIFY(!dialog_->Active());
            QCOMPARE(dialog_->Display().text(), QStringLiteral("0"));
            QVERIFY(dialog_->LevelButton(LevelPoint::LowLow).isEnabled());
            QVERIFY(!dialog_->ScrollBar().isEnabled());
        }
        QTRY_COMPARE(radio_->Counters().tuningEnds, ends);
        radio_->Finish();
        QCOMPARE(radio_->Counters().handshakes, (active ? 1U : 0U) + ends);
    }

    void failedExchangeClosesSilently_data() {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<unsigned>("ends");
        // A silent radio fails the query: no point was active.
        QTest::newRow("silent radio") << true << 0U;
        // A refused value: the point was active, so tuning ends first.
        QTest::newRow("refused value") << false << 1U;
    }

    void failedExchangeClosesSilently() {
        QFETCH(bool, silent);
        QFETCH(unsigned, ends);
        torvan::sim::RadioFaults faults;
        faults.silent = silent;
        faults.refusedWrite = static_cast<unsigned>(kLowLow);
        Open(WithLowLow(40), faults);
        BoxWatcher boxes;
        QTest::mouseClick(&dialog_->LevelButton(LevelPoint::LowLow), Qt::LeftButton);
        if (!silent) {
            Type(dialog_->ScrollBar(), QStringLiteral("Right"));
        }
        QTRY_VERIFY(!dialog_->isVisible());
        QVERIFY(boxes.seen.isEmpty());
        QTRY_COMPARE(radio_->Counters().tuningEnds, ends);
    }

    void unknownPortSaysOpenThePortFail() {
        BoxWatcher boxes;
        CPowerDlg dialog(QStringLiteral("/dev/no-such-tty"));
        QVERIFY(!dialog.OnInitDialog());
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen.first().title, QStringLiteral("Torvan PC Encoder"));
        QCOMPARE(boxes.seen.first().text, QStringLiteral("Open the port fail"));
        QCOMPARE(boxes.seen.first().icon, QMessageBox::Warning);
    }

private:
    void Open(const MemoryImage& memory, torvan::sim::RadioFaults faults = {}) {
        radio_ = std::make_unique<RadioOnPty>(memory, std::move(faults));
        dialog_ = std::make_unique<CPowerDlg>(radio_->Path());
        QVERIFY(dialog_->OnInitDialog());
        dialog_->show();
        gui_test::WaitActive(*dialog_);
    }

    std::unique_ptr<RadioOnPty> radio_;
    std::unique_ptr<CPowerDlg> dialog_;
};

QTEST_MAIN(PowerDlgTest)
#include "PowerDlgTest.moc"
