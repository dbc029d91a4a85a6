#include "link/qt/SerialThread.h"

#include <QCoreApplication>
#include <QThread>
#include <memory>

namespace torvan {

void RunOnSerialThread(const std::function<void()>& work) {
    static int argc = 1;
    static char name[] = "torvan";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    std::unique_ptr<QThread> thread(QThread::create(work));
    thread->start();
    // The work is bounded by the port's own time-outs.
    thread->wait();
}

}  // namespace torvan
