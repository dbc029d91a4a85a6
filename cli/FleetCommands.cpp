#include "cli/FleetCommands.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <ostream>

#include "cli/FileArgs.h"
#include "cli/FleetPorts.h"
#include "cli/FleetProgress.h"
#include "cli/FleetTable.h"
#include "cli/InterruptWatch.h"
#include "cli/TerminalProgress.h"
#include "link/CloneTransfer.h"
#include "link/PortHint.h"
#include "config/ReadCopy.h"
#include "link/WriteCheck.h"
#include "link/serial/SerialPortQt.h"
#include "link/serial/SerialThread.h"
#include "model/ChannelFile.h"
#include "form/ImageCodec.h"
#include "model/SafeFile.h"

namespace torvan::cli {
namespace {

using Clock = std::chrono::steady_clock;
// One radio's part of a fleet command, on that radio's own thread.
using PortWork = std::function<void(std::size_t index, FleetProgress& progress, FleetRow& row)>;

// Every radio's work at once, each timed on its own serial thread. After
// Ctrl+C every radio's row says what the interruption left: a Write's in
// every case, as one alone would, a Read's where nothing was saved.
std::vector<FleetRow> RunAll(const std::vector<FleetPort>& fleet, CloneDirection direction,
                             const PortWork& work, std::ostream& err) {
    std::vector<std::string> names;
    std::vector<FleetRow> rows(fleet.size());
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        names.push_back(fleet[i].name);
        rows[i].port = fleet[i].name;
        rows[i].last = "-";
    }
    FleetProgress progress(err, names, TerminalProgress::Terminal(err));
    const InterruptWatch interrupts;
    std::vector<std::function<void()>> works;
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        works.emplace_back([&work, &progress, &rows, i] {
            const auto start = Clock::now();
            work(i, progress, rows[i]);
            rows[i].seconds = std::chrono::duration<double>(Clock::now() - start).count();
        });
    }
    RunOnSerialThreads(works);
    if (InterruptWatch::Caught() != 0) {
        for (FleetRow& row : rows) {
            if (direction == CloneDirection::Write || !row.passed) {
                row = FleetRow{
                    row.port, InterruptWatch::Interrupted(direction), row.seconds, false, "-", {}};
            }
        }
    }
    return rows;
}

Result Clone(CloneDirection direction, const PortDevice& device, MemoryImage& image,
             TransferSink& sink) {
    SerialPortQt serial;
    return CloneTransfer(serial, image, sink).Run(direction, device);
}

void NoteHint(FleetRow& row) {
    if (!row.result.ok && !row.result.reason.empty()) {
        row.note = PortFailureHint(row.result.reason);
    }
}

// Reads the radio back as a single write's --verify does, starting from the
// written image so that the password probe matches the password just written.
void Verify(const PortDevice& device, const MemoryImage& sent, TransferSink& sink, FleetRow& row) {
    MemoryImage readBack = sent;
    if (const Result read = Clone(CloneDirection::Read, device, readBack, sink); !read.ok) {
        row.last = "read-back failed: " + Describe(read);
        return;
    }
    const std::vector<std::size_t> differing = UnwrittenAddresses(sent, readBack);
    row.passed = differing.empty();
    row.last = row.passed ? "OK"
                          : std::to_string(differing.size()) +
                                " bytes differ: " + AddressRanges(differing);
}

// Where each radio's read is saved; refused, before any radio is touched,
// when two radios would share a file (2) or a file cannot be written (1).
int ReadFiles(const std::vector<FleetPort>& fleet, const std::filesystem::path& folder,
              std::vector<std::filesystem::path>& files, std::ostream& err) {
    for (const FleetPort& port : fleet) {
        const std::filesystem::path file = folder / ReadFileName(port);
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (files[i] == file) {
                err << "torvan-cli read: " << fleet[i].name << " and " << port.name
                    << " would both be saved as " << file.string() << '\n';
                return 2;
            }
        }
        if (const Result writable = CheckWritable(file); !writable.ok) {
            err << writable.error << '\n';
            return 1;
        }
        files.push_back(file);
    }
    return 0;
}

}  // namespace

int RunFleetWrite(const std::vector<std::string>& ports, const std::string& file, bool verify,
                  std::ostream& out, std::ostream& err) {
    std::vector<FleetPort> fleet;
    if (!ResolveFleet("write", ports, fleet, err)) {
        return 2;
    }
    MemoryImage image;
    if (!LoadOrReport(file, image, err)) {
        return 1;
    }
    const auto rows = RunAll(
        fleet, CloneDirection::Write,
        [&](std::size_t i, FleetProgress& progress, FleetRow& row) {
            MemoryImage sent = image;  // the transfer's own, however it treats it
            row.result = Clone(CloneDirection::Write, fleet[i].device, sent,
                               *progress.Sink(i, "Write data"));
            NoteHint(row);
            row.passed = row.result.ok && !verify;
            if (row.result.ok && verify) {
                Verify(fleet[i].device, image, *progress.Sink(i, "Verify"), row);
            }
        },
        err);
    return ReportFleet(rows, "VERIFY", out, err);
}

int RunFleetRead(const std::vector<std::string>& ports, const std::optional<std::string>& password,
                 const std::string& folder, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        err << "torvan-cli read: " << folder
            << (std::filesystem::exists(folder, ec) ? ": not a folder\n" : ": no such folder\n");
        return 1;
    }
    std::vector<FleetPort> fleet;
    std::vector<std::filesystem::path> files;
    if (!ResolveFleet("read", ports, fleet, err)) {
        return 2;
    }
    if (const int refused = ReadFiles(fleet, folder, files, err); refused != 0) {
        return refused;
    }
    const auto rows = RunAll(
        fleet, CloneDirection::Read,
        [&](std::size_t i, FleetProgress& progress, FleetRow& row) {
            // What the settings panel would hold: a new document with its
            // password.
            MemoryImage image;
            image.ResetToNewDocument();
            EncodePasswordBytes(password.value_or(""), image);
            row.result =
                Clone(CloneDirection::Read, fleet[i].device, image, *progress.Sink(i, "Read data"));
            NoteHint(row);
            if (!row.result.ok || InterruptWatch::Caught() != 0) {
                return;
            }
            if (const auto copy = KeepReadCopy(image); !copy.ok) {
                row.note = copy.error;
            }
            if (const FileResult saved = SaveChannelFile(files[i], image); !saved.ok) {
                row.result = saved;
                return;
            }
            row.passed = true;
            row.last = files[i].string();
        },
        err);
    return ReportFleet(rows, "FILE", out, err);
}

}  // namespace torvan::cli
