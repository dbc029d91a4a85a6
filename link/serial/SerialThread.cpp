#include "link/serial/SerialThread.h"

#include <QCoreApplication>
#include <QThread>
#include <future>
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
    // The promise hands the work's results to this thread through the
    // standard library, where race checkers can see it; QThread::wait alone
    // synchronises inside Qt.
    std::promise<void> done;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        work();
        done.set_value();
    }));
    thread->start();
    // The work is bounded by the port's own time-outs.
    done.get_future().wait();
    thread->wait();
}

}  // namespace torvan
