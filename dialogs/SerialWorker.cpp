#include "dialogs/SerialWorker.h"

#include <QEventLoop>

namespace torvan {

SerialWorker::SerialWorker() : context_(std::make_unique<QObject>()) {
    context_->moveToThread(&thread_);
    thread_.start();
}

SerialWorker::~SerialWorker() {
    thread_.quit();
    thread_.wait();
}

void SerialWorker::Run(const std::function<void()>& work) {
    QEventLoop loop;
    QMetaObject::invokeMethod(
        context_.get(),
        [&] {
            work();
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    // The exchange is bounded by the port's time-outs.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void SerialWorker::RunNow(const std::function<void()>& work) {
    QMetaObject::invokeMethod(context_.get(), work, Qt::BlockingQueuedConnection);
}

}  // namespace torvan
