// torvan-bench-clone-gui: Read and Write through the window's progress
// dialog against torvan-radio-sim pacing its line at 9600 baud, each next to
// the same transfer run the way torvan-cli runs it, in the same process.
// Also prints the longest time the window's event loop went without turning
// during a dialog transfer.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/QuietSink.h"
#include "bench/SimulatorProcess.h"
#include "dialogs/CProgressDlg.h"
#include "link/CloneTransfer.h"
#include "link/serial/PortFactory.h"
#include "link/serial/SerialThread.h"

using namespace torvan;

namespace {

using namespace torvan;
using Clock = std::chrono::steady_clock;

using bench::QuietSink;

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// As torvan-cli does it: the transfer on a serial thread, the caller waits.
double CliTransfer(CloneDirection direction, const std::string& device, MemoryImage& image) {
    QuietSink sink;
    bool ok = false;
    const auto start = Clock::now();
    RunOnSerialThread([&] {
        const auto serial = MakeSerialPort();
        CloneTransfer transfer(*serial, image, sink);
        ok = transfer.Run(direction, PortDevice::Success(device)).ok;
    });
    const double wall = Since(start);
    if (!ok) {
        std::printf("torvan-cli-style transfer failed: %s\n", sink.failure.c_str());
    }
    return ok ? wall : -1.0;
}

struct DialogFigures {
    double wall = -1.0;
    double longestStallMs = 0.0;
    double stallAt = 0.0;  // seconds after Start
};

// The window's way: the modal dialog, Start pressed as soon as it shows; a
// fine timer measures how long the event loop goes without turning.
DialogFigures DialogTransfer(CloneDirection direction, const std::string& device,
                             MemoryImage& image) {
    DialogFigures figures;
    CProgressDlg dialog(direction, image, PortDevice::Success(device));
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(2);
    Clock::time_point start;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const double stall = static_cast<double>(sinceTick.nsecsElapsed()) / 1e6;
        if (stall > figures.longestStallMs) {
            figures.longestStallMs = stall;
            figures.stallAt = Since(start);
        }
        sinceTick.restart();
    });
    QTimer::singleShot(0, &dialog, [&] {
        start = Clock::now();
        sinceTick.start();
        ticker.start();
        dialog.findChild<QPushButton*>(QStringLiteral("startButton"))->click();
    });
    dialog.exec();
    ticker.stop();
    figures.wall = dialog.Succeeded() ? Since(start) : -1.0;
    return figures;
}

void Print(const char* name, double cli, const DialogFigures& gui) {
    if (cli < 0 || gui.wall < 0) {
        std::printf("%-6s failed\n", name);
        return;
    }
    std::printf(
        "%-6s torvan-cli %7.3f s   window %7.3f s   window/cli %.4f (%+.2f %%)   "
        "longest event-loop stall %.1f ms (at %.2f s)\n",
        name, cli, gui.wall, gui.wall / cli, 100.0 * (gui.wall / cli - 1.0), gui.longestStallMs,
        gui.stallAt);
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    // torvan-bench-clone-gui [SIMULATOR [--window-first]]
    const std::string program = argc > 1 ? argv[1] : TORVAN_RADIO_SIM;
    bench::Simulator sim;
    if (!bench::StartSimulator(program, sim)) {
        std::fprintf(stderr, "torvan-bench-clone-gui: cannot start %s\n", program.c_str());
        return 1;
    }
    std::printf("simulator %s on %s, 9600-baud pacing\n", program.c_str(), sim.device.c_str());
    MemoryImage image;
    image.ResetToNewDocument();
    // A Read first, so the image carries the simulator's band for the Write.
    // The window goes first with --window-first, to show the order's share.
    const bool windowFirst = argc > 2 && std::string(argv[2]) == "--window-first";
    double cliRead = 0;
    double cliWrite = 0;
    DialogFigures guiRead;
    DialogFigures guiWrite;
    for (const bool window : {windowFirst, !windowFirst}) {
        if (window) {
            guiRead = DialogTransfer(CloneDirection::Read, sim.device, image);
        } else {
            cliRead = CliTransfer(CloneDirection::Read, sim.device, image);
        }
    }
    for (const bool window : {windowFirst, !windowFirst}) {
        if (window) {
            guiWrite = DialogTransfer(CloneDirection::Write, sim.device, image);
        } else {
            cliWrite = CliTransfer(CloneDirection::Write, sim.device, image);
        }
    }
    bench::StopSimulator(sim);
    Print("Read", cliRead, guiRead);
    Print("Write", cliWrite, guiWrite);
    return cliRead > 0 && guiRead.wall > 0 && cliWrite > 0 && guiWrite.wall > 0 ? 0 : 1;
}
