// torvan-bench-clone: a full Read and a full Write against torvan-radio-sim
// pacing its line at 9600 baud, compared with the time the line itself needs.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "bench/CountingPort.h"
#include "link/CloneTransfer.h"
#include "link/qt/SerialPortQt.h"
#include "link/qt/SerialThread.h"

extern char** environ;

namespace {

using namespace torvan;
using Clock = std::chrono::steady_clock;

constexpr double kSecondsPerByte = 10.0 / 9600.0;  // 8N1: start, 8 data, stop

class QuietSink final : public TransferSink {
public:
    void DisableButtons() override {}
    void ShowProgress(int, int, const std::string&) override {}
    void ShowFailure(const std::string& message) override { failure = message; }
    void Finished(bool) override {}
    std::string failure;
};

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The simulator as a child process; its first output line is the device.
struct Simulator {
    pid_t pid = -1;
    std::string device;
};

bool StartSimulator(const std::string& program, Simulator& sim) {
    int out[2];
    if (pipe(out) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> args = {program, "--pace"};
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    const int spawned =
        posix_spawn(&sim.pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    pollfd fd{out[0], POLLIN, 0};
    char c = 0;
    while (poll(&fd, 1, 5000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') {
        sim.device.push_back(c);
    }
    close(out[0]);
    return !sim.device.empty();
}

void StopSimulator(Simulator& sim) {
    kill(sim.pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(sim.pid, nullptr, WNOHANG) == sim.pid) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(sim.pid, SIGKILL);
    waitpid(sim.pid, nullptr, 0);
}

bool Measure(const char* name, CloneDirection direction, const std::string& device,
             MemoryImage& image) {
    QuietSink sink;
    bool ok = false;
    std::size_t sent = 0;
    std::size_t received = 0;
    unsigned pausedMs = 0;
    const double cpuStart = CpuSeconds();
    const auto wallStart = Clock::now();
    RunOnSerialThread([&] {
        SerialPortQt serial;
        bench::CountingPort port(serial);
        CloneTransfer transfer(port, image, sink);
        ok = transfer.Run(direction, device);
        sent = port.sent;
        received = port.received;
        pausedMs = port.pausedMs;
    });
    const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
    const double cpu = CpuSeconds() - cpuStart;
    const double floor = static_cast<double>(sent + received) * kSecondsPerByte + pausedMs / 1000.0;
    if (!ok) {
        std::printf("%s failed: %s\n", name, sink.failure.c_str());
        return false;
    }
    std::printf(
        "%-6s wall %7.3f s   cpu %6.3f s (%4.2f %% of wall)   sent %5zu B   received %5zu B\n"
        "       floor %6.3f s (line %6.3f s + pauses %u ms)   wall/floor %.4f\n",
        name, wall, cpu, 100.0 * cpu / wall, sent, received, floor,
        static_cast<double>(sent + received) * kSecondsPerByte, pausedMs, wall / floor);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string program = argc > 1 ? argv[1] : TORVAN_RADIO_SIM;
    Simulator sim;
    if (!StartSimulator(program, sim)) {
        std::fprintf(stderr, "torvan-bench-clone: cannot start %s\n", program.c_str());
        return 1;
    }
    std::printf("simulator %s on %s, 9600-baud pacing\n", program.c_str(), sim.device.c_str());
    MemoryImage image;
    image.ResetToNewDocument();
    const bool ok = Measure("Read", CloneDirection::Read, sim.device, image) &&
                    Measure("Write", CloneDirection::Write, sim.device, image);
    StopSimulator(sim);
    rusage child{};
    getrusage(RUSAGE_CHILDREN, &child);
    std::printf("simulator cpu %.3f s\n",
                static_cast<double>(child.ru_utime.tv_sec + child.ru_stime.tv_sec) +
                    static_cast<double>(child.ru_utime.tv_usec + child.ru_stime.tv_usec) * 1e-6);
    return ok ? 0 : 1;
}
