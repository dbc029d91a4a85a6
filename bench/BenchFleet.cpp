// torvan-bench-fleet: torvan-cli write to 1, 2, 4 and 8 radios at once, each
// a torvan-radio-sim pacing its line at 9600 baud. Prints the wall time of N
// at once against one alone, and this process's CPU time against the wall.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "bench/CpuSeconds.h"
#include "bench/SimulatorProcess.h"
#include "cli/CloneCommands.h"
#include "model/ChannelFile.h"
#include "tools/SimulatorSettings.h"

namespace {

using namespace torvan;
using Clock = std::chrono::steady_clock;
using bench::CpuSeconds;

}  // namespace

int main(int argc, char** argv) {
    const std::string program = argc > 1 ? argv[1] : TORVAN_RADIO_SIM;
    constexpr std::size_t kMost = 8;
    std::vector<bench::Simulator> radios(kMost);
    for (bench::Simulator& radio : radios) {
        if (!bench::StartSimulator(program, radio)) {
            std::fprintf(stderr, "torvan-bench-fleet: cannot start %s\n", program.c_str());
            return 1;
        }
    }
    // Another pattern than the radios hold, with their band signature.
    char folder[] = "/tmp/torvan-bench-fleet-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::filesystem::path file = std::filesystem::path(folder) / "fleet.sin";
    if (!SaveChannelFile(file, sim::PatternMemory(2)).ok) {
        return 1;
    }
    std::printf("torvan-cli write to N simulated radios at once, 9600-baud pacing\n");
    std::printf("%2s  %8s  %9s  %7s  %10s\n", "N", "wall", "/ one", "cpu", "cpu / wall");
    double alone = 0;
    int status = 0;
    // The first write also pays for first use (the Qt application, the
    // threads' start); a warm-up keeps that out of "one alone".
    for (std::size_t n = 0; n <= kMost; n = std::max<std::size_t>(1, n * 2)) {
        cli::Args args;
        for (std::size_t i = 0; i < std::max<std::size_t>(1, n); ++i) {
            args.insert(args.end(), {"--port", radios[i].device});
        }
        args.push_back(file.string());
        std::ostringstream out;
        std::ostringstream err;
        const double cpuStart = CpuSeconds();
        const auto wallStart = Clock::now();
        const int written = cli::RunWrite(args, out, err);
        const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
        const double cpu = CpuSeconds() - cpuStart;
        if (n == 0) {
            continue;
        }
        alone = n == 1 ? wall : alone;
        std::printf("%2zu  %6.3f s  %8.3fx  %5.3f s  %9.2f %%%s\n", n, wall, wall / alone, cpu,
                    100.0 * cpu / wall, written == 0 ? "" : "  FAILED");
        if (written != 0) {
            std::fputs(err.str().c_str(), stderr);
            status = 1;
        }
    }
    for (bench::Simulator& radio : radios) {
        bench::StopSimulator(radio);
    }
    std::filesystem::remove_all(folder);
    return status;
}
