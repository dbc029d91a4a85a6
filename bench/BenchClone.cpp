// torvan-bench-clone: a full Read and a full Write against torvan-radio-sim
// pacing its line at 9600 baud, compared with the time the line itself needs.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/CountingPort.h"
#include "bench/CpuSeconds.h"
#include "bench/QuietSink.h"
#include "bench/SimulatorProcess.h"
#include "link/CloneTransfer.h"
#include "link/serial/PortFactory.h"
#include "link/serial/SerialThread.h"

namespace {

using namespace torvan;
using Clock = std::chrono::steady_clock;
using bench::CpuSeconds;
using bench::QuietSink;
using bench::Simulator;
using bench::StartSimulator;
using bench::StopSimulator;

constexpr double kSecondsPerByte = 10.0 / 9600.0;  // 8N1: start, 8 data, stop

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
        const auto serial = MakeSerialPort();
        bench::CountingPort port(*serial);
        CloneTransfer transfer(port, image, sink);
        ok = transfer.Run(direction, PortDevice::Success(device)).ok;
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
