#pragma once

#include <condition_variable>
#include <iosfwd>
#include <mutex>
#include <string>
#include <thread>

namespace torvan::cli {

// Progress text for standard error, written on a thread of its own: a
// terminal that takes no output (suspended with Ctrl+S, a reader that
// stopped reading) must not hold up a radio transfer, whose radio gives up
// when the next block is late. Text the stream cannot take is dropped.
class ProgressWriter {
public:
    explicit ProgressWriter(std::ostream& err);
    // Writes out what is queued, then ends the thread.
    ~ProgressWriter();
    ProgressWriter(const ProgressWriter&) = delete;
    ProgressWriter& operator=(const ProgressWriter&) = delete;

    // Queues `text`, which is written whole and in order; never waits for
    // the stream.
    void Write(const std::string& text);

private:
    void Run();

    std::ostream& err_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::string pending_;
    bool ending_ = false;
    std::thread thread_;  // last: starts once the rest is set up
};

}  // namespace torvan::cli
