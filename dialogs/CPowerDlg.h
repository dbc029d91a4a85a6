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

    bool Active() const { return active_; }

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
    bool active_ = false;
    bool busy_ = false;
    bool closing_ = false;
    bool closePending_ = false;
    bool failureShown_ = false;
};

}  // namespace torvan
