#pragma once

#include <functional>
#include <vector>

namespace torvan {

// Runs `work` on a new thread fit for the platform's serial port and returns
// when it has finished. On Linux that is a QThread: QSerialPort only works on
// a thread with a Qt event dispatcher, which a plain std::thread lacks, and a
// QCoreApplication is created for the call when the process has none (call
// it from main's thread then). On Windows it is a std::thread.
void RunOnSerialThread(const std::function<void()>& work);

// The same for several pieces of work at once, each on its own thread;
// returns when all have finished.
void RunOnSerialThreads(const std::vector<std::function<void()>>& works);

}  // namespace torvan
