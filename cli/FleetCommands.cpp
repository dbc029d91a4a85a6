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
#include "config/ReadCopy.h"
#include "form/ImageCodec.h"
#include "link/CloneTransfer.h"
#include "link/WriteCheck.h"
#include "link/serial/PortFactory.h"
#include "link/serial/SerialThread.h"
#include "model/ChannelFile.h"
#include "model/PasswordCodec.h"
#include "model/SafeFile.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

using Clock = std::chrono::steady_clock;
// One radio's part of a fleet command, on that radio's own thread.
using PortWork = std::function<void(std::size_t index, FleetProgress& progress, FleetRow& row)>;

// Every radio's work at once, each timed on its own serial thread. After a
// signal each row tells its own radio's state: a radio that had finished
// keeps its result.
std::vector<FleetRow> RunAll(const std::vector<FleetPort>& fleet, const PortWork& work,
                             std::ostream& err) {
    std::vector<std::string> names;
    std::vector<FleetRow> rows(fleet.size());
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        names.push_back(PrintableText(fleet[i].name));
        rows[i].port = names.back();
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
    return rows;
}

Result Clone(CloneDirection direction, const PortDevice& device, MemoryImage& image,
             TransferSink& sink) {
    const auto serial = MakeSerialPort();
    return CloneTransfer(*serial, image, sink).Run(direction, device);
}

// Reads the radio back as a single write's --verify does, starting from the
// written image so that the password probe matches the password just written.
// A signal before or during the read-back leaves the write completed and
// unverified.
void Verify(const PortDevice& device, const MemoryImage& sent, TransferSink& sink, FleetRow& row) {
    MemoryImage readBack = sent;
    const Result read = InterruptWatch::Caught() != 0
                            ? Result::Failure("stopped")
                            : Clone(CloneDirection::Read, device, readBack, sink);
    if (!read.ok && InterruptWatch::Caught() != 0) {
        row.outcome = FleetRow::Outcome::Unverified;
        row.stopped = true;
        row.last = "Interrupted";
        row.notes.push_back(InterruptWatch::Unverified().error);
        return;
    }
    if (!read.ok) {
        row.last = "read-back failed";
        row.notes.push_back("Verify: " + PrintableText(read.error));
        const std::vector<std::string> why = FailureNotes(read);
        row.notes.insert(row.notes.end(), why.begin(), why.end());
        return;
    }
    const std::vector<std::size_t> differing = UnwrittenAddresses(sent, readBack);
    row.outcome = differing.empty() ? FleetRow::Outcome::Passed : FleetRow::Outcome::Failed;
    row.last = differing.empty() ? "OK"
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
                err << "torvan-cli read: " << PrintableText(fleet[i].name) << " and "
                    << PrintableText(port.name) << " would both be saved as "
                    << PrintableText(file.string()) << '\n';
                return 2;
            }
        }
        if (const Result writable = CheckWritable(file); !writable.ok) {
            err << PrintableText(writable.error) << '\n';
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
        fleet,
        [&](std::size_t i, FleetProgress& progress, FleetRow& row) {
            MemoryImage sent = image;  // the transfer's own, however it treats it
            const Result written = Clone(CloneDirection::Write, fleet[i].device, sent,
                                         *progress.Sink(i, "Write data"));
            if (!written.ok) {
                row.Fail(written, CloneDirection::Write);
                return;
            }
            row.result = "OK";
            row.outcome = FleetRow::Outcome::Passed;
            if (verify) {
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
        fleet,
        [&](std::size_t i, FleetProgress& progress, FleetRow& row) {
            // What the settings panel would hold: a new document with its
            // password.
            MemoryImage image;
            image.ResetToNewDocument();
            EncodePasswordBytes(password.value_or(""), image);
            Result read =
                Clone(CloneDirection::Read, fleet[i].device, image, *progress.Sink(i, "Read data"));
            // A signal after the transfer still stops the saving.
            if (read.ok && InterruptWatch::Caught() != 0) {
                read = InterruptWatch::Interrupted(CloneDirection::Read);
            }
            if (!read.ok) {
                row.Fail(read, CloneDirection::Read);
                return;
            }
            if (const auto copy = KeepReadCopy(image); !copy.ok) {
                row.notes.push_back(PrintableText(copy.error));
            }
            if (const FileResult saved = SaveChannelFile(files[i], image); !saved.ok) {
                row.result = "Not saved";
                row.notes.push_back(PrintableText(saved.error));
                return;
            }
            row.result = "OK";
            row.outcome = FleetRow::Outcome::Passed;
            row.last = PrintableText(files[i].string());
        },
        err);
    return ReportFleet(rows, "FILE", out, err);
}

}  // namespace torvan::cli
