// torvan-radio-sim: a radio on a pseudo-terminal, for tests, benchmarks and
// trying the program without a radio.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/ChannelFile.h"
#include "tools/RadioSimulator.h"
#include "tools/SimulatorSettings.h"

namespace {

std::atomic<torvan::sim::RadioSimulator*> running{nullptr};

extern "C" void OnSignal(int) {
    if (torvan::sim::RadioSimulator* simulator = running.load()) {
        simulator->Stop();
    }
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    // A file-size limit fails --save like a full disk instead of killing.
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace torvan::sim;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (std::find(args.begin(), args.end(), "--version") != args.end()) {
        std::cout << "torvan-radio-sim " TORVAN_VERSION "\n";
        return 0;
    }
    const auto parsed = ParseSimulatorArgs(args);
    if (!parsed.ok) {
        std::cerr << "torvan-radio-sim: " << parsed.error << " (see --help)\n";
        return 2;
    }
    const SimulatorSettings& settings = parsed.value;
    if (settings.help) {
        std::cout << "torvan-radio-sim " TORVAN_VERSION "\n" << kSimulatorUsage;
        return 0;
    }
    RadioSimulator simulator(settings.memory, settings.faults, settings.pace);
    if (const torvan::Result opened = simulator.Open(); !opened.ok) {
        std::cerr << "torvan-radio-sim: " << opened.error << "\n";
        return 1;
    }
    // Closed after the trace has written its last line.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> traceFile(nullptr, std::fclose);
    std::optional<ByteTrace> trace;
    if (!settings.tracePath.empty()) {
        traceFile.reset(std::fopen(settings.tracePath.c_str(), "w"));
        if (!traceFile) {
            std::perror(("torvan-radio-sim: " + settings.tracePath).c_str());
            return 1;
        }
        simulator.SetTrace(&trace.emplace(traceFile.get()));
    }
    if (!settings.linkPath.empty()) {
        ::unlink(settings.linkPath.c_str());
        if (::symlink(simulator.DevicePath().c_str(), settings.linkPath.c_str()) != 0) {
            std::perror(("torvan-radio-sim: " + settings.linkPath).c_str());
            return 1;
        }
    }
    running = &simulator;
    InstallSignalHandlers();
    std::cout << simulator.DevicePath() << std::endl;
    simulator.Run();
    running = nullptr;

    int status = 0;
    if (!settings.linkPath.empty()) {
        ::unlink(settings.linkPath.c_str());
    }
    if (!settings.savePath.empty()) {
        const torvan::FileResult saved =
            torvan::SaveChannelFile(settings.savePath, simulator.Memory());
        if (!saved.ok) {
            std::cerr << "torvan-radio-sim: " << saved.error << "\n";
            status = 1;
        }
    }
    if (simulator.CablePulled()) {
        std::cerr << "torvan-radio-sim: cable pulled\n";
    }
    return status;
}
