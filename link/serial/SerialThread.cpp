#include "link/serial/SerialThread.h"

#include <QCoreApplication>
#include <QThread>
#include <future>
#include <memory>

namespace torvan {

void RunOnSerialThread(const std::function<void()>& work) {
    RunOnSerialThreads({work});
}

void RunOnSerialThreads(const std::vector<std::function<void()>>& works) {
    static int argc = 1;
    static char name[] = "torvan";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The promises hand the works' results to this thread through the
    // standard library, where race checkers can see it; QThread::wait alone
    // synchronises inside Qt.
    std::vector<std::promise<void>> done(works.size());
    std::vector<std::unique_ptr<QThread>> threads;
    for (std::size_t i = 0; i < works.size(); ++i) {
        threads.emplace_back(QThread::create([&works, &done, i] {
            works[i]();
            done[i].set_value();
        }));
        threads.back()->start();
    }
    // Each work is bounded by its port's own time-outs.
    for (std::size_t i = 0; i < works.size(); ++i) {
        done[i].get_future().wait();
        threads[i]->wait();
    }
}

}  // namespace torvan
