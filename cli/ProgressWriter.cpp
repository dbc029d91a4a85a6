#include "cli/ProgressWriter.h"

#include <ostream>

namespace torvan::cli {

ProgressWriter::ProgressWriter(std::ostream& err) : err_(err), thread_([this] { Run(); }) {}

ProgressWriter::~ProgressWriter() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    queued_.notify_one();
    thread_.join();
}

void ProgressWriter::Write(const std::string& text) {
    {
        const std::lock_guard lock(mutex_);
        pending_ += text;
    }
    queued_.notify_one();
}

// A stream that failed (a closed pipe, a terminal that hung up) stays failed:
// what follows costs nothing and is lost.
void ProgressWriter::Run() {
    std::unique_lock lock(mutex_);
    while (true) {
        queued_.wait(lock, [this] { return ending_ || !pending_.empty(); });
        if (pending_.empty()) {
            return;
        }
        const std::string text = std::move(pending_);
        pending_.clear();
        lock.unlock();
        err_ << text << std::flush;
        lock.lock();
    }
}

}  // namespace torvan::cli
