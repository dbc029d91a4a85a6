// The Power dialog against the simulated radio.
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>

#include "GuiTestMain.h"
#include "GuiTestSupport.h"
#include "RadioTestSupport.h"
#include "link/gui/CPowerDlg.h"

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

// A key held down through `repeats` repeats, then let go.
void HoldKey(QWidget& widget, Qt::Key key, int repeats) {
    SendKey(widget, QEvent::KeyPress, key, false);
    for (int i = 0; i < repeats; ++i) {
        SendKey(widget, QEvent::KeyRelease, key, true);
        SendKey(widget, QEvent::KeyPress, key, true);
    }
    SendKey(widget, QEvent::KeyRelease, key, false);
}

void SendMouse(QScrollBar& bar, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
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

    // A held key and a drag are one gesture each: the radio hears the
    // value once, when the key or the button is let go.
    void gesturesSendOnceAtTheirEnd() {
        Open(WithLowLow(10));
        QTest::mouseClick(&dialog_->LevelButton(LevelPoint::LowLow), Qt::LeftButton);
        QScrollBar& bar = dialog_->ScrollBar();
        HoldKey(bar, Qt::Key_Right, 4);
        QTRY_COMPARE(dialog_->Display().text(), QStringLiteral("Low Low 15"));
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
        QTRY_COMPARE(dialog_->Display().text(), QStringLiteral("Low Low %1").arg(last));
        radio_->Finish();
        QCOMPARE(radio_->Memory()[kLowLow], last);
        QCOMPARE(radio_->Counters().levelPrepares, 2U);
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

GUI_TEST_MAIN(PowerDlgTest)
#include "PowerDlgTest.moc"
