// torvan-soak-clone [CYCLES]: Read and Write cycles (100 by default) through
// the real serial binding against the simulated radio, which serves from
// this process on its own thread. Prints resident memory and the heap in use
// at the start, after the first cycle, after the warm-up (the first tenth of
// the cycles, at most 10, when first-use allocations are made) and at the
// end. Built with the sanitizers, LeakSanitizer checks at exit that nothing
// leaked. The exit status is non-zero when a transfer fails, when a Read
// brings other bytes than the radio holds, or when the heap in use grew by
// more than a tenth after the warm-up. (Resident memory is shown, not
// judged: under the address sanitizer it also holds the allocator's caches
// of the threads each transfer starts.)
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "bench/QuietSink.h"
#include "link/CloneTransfer.h"
#include "link/serial/PortFactory.h"
#include "link/serial/SerialThread.h"
#include "tools/RadioSimulator.h"
#include "tools/SimulatorSettings.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of bytes allocated and not yet freed (GCC
// ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

using namespace torvan;

using bench::QuietSink;

// Bytes the program holds allocated now, in KiB.
long HeapKiB() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    return static_cast<long>(mallinfo2().uordblks / 1024);
#endif
}

// Resident memory in KiB, from /proc/self/status.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

bool Transfer(CloneDirection direction, const std::string& device, MemoryImage& image) {
    QuietSink sink;
    bool ok = false;
    RunOnSerialThread([&] {
        const auto serial = MakeSerialPort();
        CloneTransfer transfer(*serial, image, sink);
        ok = transfer.Run(direction, PortDevice::Success(device)).ok;
    });
    if (!ok) {
        std::printf("%s failed: %s\n", direction == CloneDirection::Read ? "Read" : "Write",
                    sink.failure.c_str());
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 100;
    const MemoryImage radioMemory = sim::PatternMemory(12);
    sim::RadioSimulator simulator(radioMemory, {}, false);
    if (const Result opened = simulator.Open(); !opened.ok) {
        std::fprintf(stderr, "torvan-soak-clone: %s\n", opened.error.c_str());
        return 1;
    }
    std::thread radio([&] { simulator.Run(); });
    const auto start = std::chrono::steady_clock::now();
    const auto report = [](const char* when) {
        std::printf("%-16s resident %6ld KiB   heap in use %6ld KiB\n", when, ResidentKiB(),
                    HeapKiB());
    };
    report("start");
    const int warmUp = std::max(1, std::min(10, cycles / 10));
    long heapAfterWarmUp = HeapKiB();
    bool ok = true;
    int done = 0;
    while (ok && done < cycles) {
        MemoryImage image;
        image.ResetToNewDocument();
        ok = Transfer(CloneDirection::Read, simulator.DevicePath(), image) &&
             Transfer(CloneDirection::Write, simulator.DevicePath(), image);
        if (ok && image != radioMemory) {
            std::printf("cycle %d: the Read brought other bytes than the radio holds\n", done + 1);
            ok = false;
        }
        ++done;
        if (done == warmUp) {
            heapAfterWarmUp = HeapKiB();
        }
        if (done == 1 || done == warmUp || done % 25 == 0) {
            report(("after cycle " + std::to_string(done)).c_str());
        }
    }
    simulator.Stop();
    radio.join();
    report("end");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long growth = HeapKiB() - heapAfterWarmUp;
    const int measured = done - warmUp;
    std::printf("heap in use %+ld KiB since cycle %d (%+.2f KiB a cycle); %d cycles in %.1f s\n",
                growth, warmUp, measured > 0 ? static_cast<double>(growth) / measured : 0.0, done,
                seconds);
    const bool flat = growth * 10 <= heapAfterWarmUp;
    if (!flat) {
        std::printf("the heap in use grew by more than a tenth\n");
    }
    return ok && flat ? 0 : 1;
}
