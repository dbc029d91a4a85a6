#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "link/CloneTransfer.h"
#include "link/TransferSink.h"
#include "model/MemoryImage.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

namespace Ui {
class CProgressDlg;
}

namespace torvan {

// The progress of one clone transfer. Start runs the transfer on a worker
// thread; everything the worker tells the dialog reaches it on the window's
// thread, in the worker's order. Once a worker runs, nothing closes the
// dialog but the worker's end, so the dialog outlives every use the worker
// makes of it and the port is free when it closes.
class CProgressDlg : public QDialog, private TransferSink {
    Q_OBJECT

public:
    CProgressDlg(CloneDirection direction, MemoryImage& image, PortDevice device,
                 QWidget* parent = nullptr);
    ~CProgressDlg() override;

    // True only after a complete transfer.
    bool Succeeded() const { return success_; }

public slots:
    // Start: launches the transfer unless one is running already.
    void accept() override;
    // Cancel, Escape and the close box: refused while the transfer runs.
    void reject() override;

private:
    void DisableButtons() override;
    void ShowProgress(int position, int upper, const std::string& percentText) override;
    void ShowFailure(const Result& failure) override;
    void Finished(bool success) override;
    void RunTransfer();

    std::unique_ptr<Ui::CProgressDlg> ui_;
    CloneDirection direction_;
    MemoryImage& image_;
    PortDevice device_;
    std::unique_ptr<QThread> worker_;
    bool finishedSent_ = false;  // worker's thread only
    int blocksDone_ = 0;         // worker's thread only
    bool success_ = false;
};

}  // namespace torvan
