#pragma once

#include <functional>
#include <vector>

namespace torvan {

// Runs `work` on a new QThread and returns when it has finished. QSerialPort
// only works on a thread with a Qt event dispatcher, which a plain
// std::thread lacks. A QCoreApplication is created for the call when the
// process has none (call it from main's thread then).
void RunOnSerialThread(const std::function<void()>& work);

// The same for several pieces of work at once, each on its own QThread;
// returns when all have finished.
void RunOnSerialThreads(const std::vector<std::function<void()>>& works);

}  // namespace torvan
