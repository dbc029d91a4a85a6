#include "link/serial/SerialThread.h"

#include <thread>

namespace torvan {

// The Win32 binding needs no event dispatcher: plain threads do.
void RunOnSerialThread(const std::function<void()>& work) {
    RunOnSerialThreads({work});
}

void RunOnSerialThreads(const std::vector<std::function<void()>>& works) {
    std::vector<std::thread> threads;
    threads.reserve(works.size());
    for (const std::function<void()>& work : works) {
        threads.emplace_back(work);
    }
    // Each work is bounded by its port's own time-outs.
    for (std::thread& thread : threads) {
        thread.join();
    }
}

}  // namespace torvan
