#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "dialogs/SerialWorker.h"
#include "form/PowerGesture.h"
#include "link/PortNames.h"
#include "link/PowerTuning.h"
#include "model/Result.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace Ui {
class CPowerDlg;
}

namespace torvan {

class SerialLink;
class SerialPort;

// Live tuning of the radio's six power points. A level button asks the radio
// for its point's value; each gesture on the scroll bar then sends the new
// value once, when it ends. The port is held from opening to closing, on a
// thread of its own so the window keeps painting during an exchange. A
// failed exchange says "Communication error", as Read and Write do, then
// closes the dialog, ending the tuning first when a point was active.
class CPowerDlg : public QDialog {
    Q_OBJECT

public:
    explicit CPowerDlg(PortDevice device, QWidget* parent = nullptr);
    ~CPowerDlg() override;

    // Opens the port. When it cannot be opened, says "Open the port fail"
    // and returns false; the dialog is then not to be shown.
    bool OnInitDialog();
    int exec() override;

    // A point is being tuned.
    bool Active() const;

public slots:
    // Exit, Escape, the close box and a close request after a failure.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton& LevelButton(LevelPoint point);
    QLabel& Display();
    QScrollBar& ScrollBar();
    void OnLevelButton(LevelPoint point);
    void OnEnd();
    void OnScrollAction(int action);
    void EndGesture();
    void ResetControls();
    void LockControls();
    void ShowLevel(std::uint8_t value);
    void PostCloseRequest();
    // The failure box, once in the dialog's life.
    void TellFailure(const Result& failure);
    // Tells the failure, then closes the dialog.
    void Fail(const Result& failure);
    // Runs one exchange with the radio on the port's thread; a failure
    // carries the line's reason.
    Result Exchange(const std::function<bool(SerialLink&)>& exchange);
    void ClosePort();

    // What the dialog is doing: which handler may act follows from it alone.
    enum class State {
        Idle,             // no point active: a level button queries one
        Tuning,           // a point is active: the scroll bar and End talk to the radio
        Querying,         // a level button's query runs
        Sending,          // a point's value or the end of its tuning is being sent
        QueryingToClose,  // as Querying, and the dialog closes once it is over
        SendingToClose,   // as Sending, likewise
        Closing,          // the dialog is closing: nothing more starts
    };
    enum class Event { Query, Queried, QueryFailed, Send, Sent, TuningEnded, CloseAsked };
    // Every change of state, in one table.
    static State After(State state, Event event);
    void On(Event event) { state_ = After(state_, event); }

    std::unique_ptr<Ui::CPowerDlg> ui_;
    std::array<QPushButton*, 6> levelButtons_{};
    PortDevice device_;
    SerialWorker worker_;
    // Created, used and destroyed on the worker's thread.
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<SerialLink> link_;
    LevelPoint point_ = LevelPoint::LowLow;
    std::string label_;
    LevelGesture gesture_;
    State state_ = State::Idle;
    bool failureShown_ = false;
};

}  // namespace torvan
