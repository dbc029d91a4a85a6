#pragma once

#include <QThread>
#include <functional>
#include <memory>

class QObject;

namespace torvan {

// A thread that keeps a serial port for as long as a dialog holds it (a
// QSerialPort must be opened, used and closed on one thread). Each exchange
// runs there while the dialog keeps painting; input that arrives meanwhile
// waits until the exchange is over, as if the window had been busy.
class SerialWorker {
public:
    SerialWorker();
    ~SerialWorker();

    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    // Runs `work` on the worker thread and returns when it has finished.
    void Run(const std::function<void()>& work);
    // The same without an event loop meanwhile (for destructors).
    void RunNow(const std::function<void()>& work);

private:
    QThread thread_;
    std::unique_ptr<QObject> context_;
};

}  // namespace torvan
