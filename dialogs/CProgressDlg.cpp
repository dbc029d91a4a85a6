#include "dialogs/CProgressDlg.h"

#include <QApplication>
#include <QThread>

#include "dialogs/LinkFailureBox.h"
#include "link/TransferBusy.h"
#include "link/serial/PortFactory.h"
#include "ui_CProgressDlg.h"

namespace torvan {

CProgressDlg::CProgressDlg(CloneDirection direction, MemoryImage& image, PortDevice device,
                           QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CProgressDlg>()),
      direction_(direction),
      image_(image),
      device_(std::move(device)) {
    ui_->setupUi(this);
    const bool read = direction == CloneDirection::Read;
    ui_->progressBar->setRange(0, read ? CloneTransfer::kReadBlocks : CloneTransfer::kWriteBlocks);
    ui_->progressBar->setValue(0);
    setWindowTitle(read ? tr("Read data") : tr("Write data"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    connect(ui_->startButton, &QPushButton::clicked, this, &CProgressDlg::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CProgressDlg::reject);
}

CProgressDlg::~CProgressDlg() {
    if (worker_) {
        worker_->wait();
    }
}

void CProgressDlg::accept() {
    if (worker_ || TransferBusy::IsSet()) {
        return;
    }
    success_ = false;
    worker_.reset(QThread::create([this] { RunTransfer(); }));
    worker_->start();
}

void CProgressDlg::reject() {
    if (worker_) {
        QApplication::beep();  // only the transfer's end closes the dialog now
        return;
    }
    QDialog::reject();
}

// On the worker thread. A QSerialPort needs the thread's event dispatcher,
// which a QThread has.
void CProgressDlg::RunTransfer() {
    const auto serial = MakeSerialPort();
    CloneTransfer transfer(*serial, image_, *this);
    finishedSent_ = false;
    blocksDone_ = 0;
    static_cast<void>(transfer.Run(direction_, device_));  // told through the sink
    if (!finishedSent_) {
        // Another transfer held the flag after all: nothing ran, and the
        // dialog must still learn that it may close.
        Finished(false);
    }
}

void CProgressDlg::DisableButtons() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            ui_->startButton->setEnabled(false);
            ui_->cancelButton->setEnabled(false);
        },
        Qt::QueuedConnection);
}

void CProgressDlg::ShowProgress(int position, int, const std::string& percentText) {
    blocksDone_ = position;
    const QString text = QString::fromStdString(percentText);
    QMetaObject::invokeMethod(
        this,
        [this, position, text] {
            ui_->progressBar->setValue(position);
            ui_->percentLabel->setText(text);
        },
        Qt::QueuedConnection);
}

// The worker waits here until the user has read the message; the dialog
// stays on screen behind it at its last percentage.
void CProgressDlg::ShowFailure(const Result& failure) {
    const bool partial = direction_ == CloneDirection::Write && blocksDone_ > 0;
    // Said, as the command-line tool says it, under a Write that stopped
    // after blocks reached the radio; a Write refused before the first block
    // left the radio as it was.
    const std::string aftermath =
        partial ? tr("The radio may hold a partial write; write it again.").toStdString()
                : std::string();
    QMetaObject::invokeMethod(
        this,
        [this, &failure, &aftermath] {
            ShowLinkFailure(this, QString::fromStdString(failure.error), failure.reason, aftermath);
        },
        Qt::BlockingQueuedConnection);
}

// The port is closed by now; the worker has only the busy flag left to clear.
void CProgressDlg::Finished(bool success) {
    finishedSent_ = true;
    QMetaObject::invokeMethod(
        this,
        [this, success] {
            worker_->wait();
            worker_.reset();
            success_ = success;
            QDialog::reject();
        },
        Qt::QueuedConnection);
}

}  // namespace torvan
