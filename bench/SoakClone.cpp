// torvan-soak-clone [CYCLES]: Read and Write cycles (100 by default) through
// the real serial binding against the simulated radio, which serves from
// this process on its own thread. Prints resident memory at the start, after
// the first cycle (once every first-use allocation is made) and at the end.
// Built with the sanitizers, LeakSanitizer checks at exit that nothing
// leaked; the exit status is non-zero when a transfer fails, when a Read
// brings other bytes than the radio holds, or when resident memory grew by
// more than a tenth after the first cycle.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "link/CloneTransfer.h"
#include "link/qt/SerialPortQt.h"
#include "link/qt/SerialThread.h"
#include "tools/RadioSimulator.h"
#include "tools/SimulatorSettings.h"

namespace {

using namespace torvan;

class QuietSink final : public TransferSink {
public:
    void DisableButtons() override {}
    void ShowProgress(int, int, const std::string&) override {}
    void ShowFailure(const std::string& message) override { failure = message; }
    void Finished(bool) override {}
    std::string failure;
};

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
        SerialPortQt serial;
        CloneTransfer transfer(serial, image, sink);
        ok = transfer.Run(direction, device);
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
    std::string error;
    if (!simulator.Open(error)) {
        std::fprintf(stderr, "torvan-soak-clone: %s\n", error.c_str());
        return 1;
    }
    std::thread radio([&] { simulator.Run(); });
    const auto start = std::chrono::steady_clock::now();
    const long atStart = ResidentKiB();
    std::printf("start          resident %6ld KiB\n", atStart);
    long afterFirst = atStart;
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
        if (done == 1) {
            afterFirst = ResidentKiB();
            std::printf("after cycle 1  resident %6ld KiB\n", afterFirst);
        } else if (done % 25 == 0) {
            std::printf("after cycle %-3d resident %6ld KiB\n", done, ResidentKiB());
        }
    }
    simulator.Stop();
    radio.join();
    const long atEnd = ResidentKiB();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long growth = atEnd - afterFirst;
    std::printf("end            resident %6ld KiB: %+ld KiB since cycle 1 (%+.1f KiB a cycle), "
                "%d cycles in %.1f s\n",
                atEnd, growth, done > 1 ? static_cast<double>(growth) / (done - 1) : 0.0, done,
                seconds);
    const bool flat = growth * 10 <= afterFirst;
    if (!flat) {
        std::printf("resident memory grew by more than a tenth\n");
    }
    return ok && flat ? 0 : 1;
}
