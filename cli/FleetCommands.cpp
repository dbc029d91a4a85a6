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
#include "cli/JobLog.h"
#include "cli/PttIds.h"
#include "cli/TerminalProgress.h"
#include "config/ReadCopy.h"
#include "form/DtmfSettings.h"
#include "form/ImageCodec.h"
#include "link/CloneTransfer.h"
#include "link/WriteCheck.h"
#include "link/serial/PortFactory.h"
#include "link/serial/SerialThread.h"
#include "model/ChannelFile.h"
#include "model/PasswordCodec.h"
#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

using Clock = std::chrono::steady_clock;
// One radio's part of a fleet command, on that radio's own thread.
using PortWork = std::function<void(std::size_t index, FleetProgress& progress, FleetRow& row)>;
// The log's cells of one radio's work that only the command knows (its
// file, image and PTT ID).
using PortLine = std::function<csv::LogCells(std::size_t index, const FleetRow& row)>;

// Every radio's work at once, each timed on its own serial thread, and its
// line added to the log as soon as it ends. After a signal each row tells
// its own radio's state: a radio that had finished keeps its result.
std::vector<FleetRow> RunAll(const std::vector<FleetPort>& fleet, const PortWork& work, JobLog& log,
                             const PortLine& line, std::ostream& err) {
    std::vector<std::string> names;
    std::vector<std::string> stable;
    std::vector<FleetRow> rows(fleet.size());
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        names.push_back(PrintableText(fleet[i].name));
        stable.push_back(StableName(fleet[i].device));
        rows[i].port = names.back();
    }
    FleetProgress progress(err, names, TerminalProgress::Terminal(err));
    const InterruptWatch interrupts;
    std::vector<std::function<void()>> works;
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        works.emplace_back([&, i] {
            const std::string began = JobLog::Now();
            const auto start = Clock::now();
            work(i, progress, rows[i]);
            rows[i].seconds = std::chrono::duration<double>(Clock::now() - start).count();
            csv::LogCells cells = line(i, rows[i]);
            csv::Cell(cells, csv::LogColumn::Time) = began;
            csv::Cell(cells, csv::LogColumn::Port) = fleet[i].name;
            csv::Cell(cells, csv::LogColumn::Device) = stable[i];
            csv::Cell(cells, csv::LogColumn::Result) = rows[i].result;
            csv::Cell(cells, csv::LogColumn::Seconds) = JobLog::Seconds(rows[i].seconds);
            log.Add(std::move(cells));
        });
    }
    RunOnSerialThreads(works);
    return rows;
}

// The PTT ID a table shows: "-" for none.
std::string ShownPttId(const std::string& pttId) {
    return pttId.empty() ? "-" : pttId;
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
    const Result read = Clone(CloneDirection::Read, device, readBack, sink);
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
                    << PrintableText(Utf8FromPath(file)) << '\n';
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

int RunFleetWrite(const PortArgs& args, bool verify, std::ostream& out, std::ostream& err) {
    const std::string& file = args.positional[0];
    std::vector<FleetPort> fleet;
    if (!ResolveFleet("write", args.ports, fleet, err)) {
        return 2;
    }
    MemoryImage image;
    if (!LoadOrReport(file, image, err)) {
        return 1;
    }
    // Each radio's own image: the file's bytes but for its PTT ID.
    std::vector<MemoryImage> images;
    if (const int refused = RadioImages(args, fleet, file, image, images, err); refused != 0) {
        return refused;
    }
    JobLog log("write", args.log);
    log.Open(err);
    const auto rows = RunAll(
        fleet,
        [&](std::size_t i, FleetProgress& progress, FleetRow& row) {
            row.pttId = ShownPttId(ReadDtmfSettings(images[i]).pttId);
            MemoryImage sent = images[i];  // the transfer's own, however it treats it
            const Result written = Clone(CloneDirection::Write, fleet[i].device, sent,
                                         *progress.Sink(i, "Write data"));
            if (!written.ok) {
                row.Fail(written, CloneDirection::Write);
                return;
            }
            row.result = "OK";
            row.outcome = FleetRow::Outcome::Passed;
            if (verify) {
                Verify(fleet[i].device, images[i], *progress.Sink(i, "Verify"), row);
            }
        },
        log,
        [&](std::size_t i, const FleetRow& row) {
            csv::LogCells cells;
            csv::Cell(cells, csv::LogColumn::File) = LoggedPath(file);
            csv::Cell(cells, csv::LogColumn::Sha256) = JobLog::Sha256(images[i]);
            csv::Cell(cells, csv::LogColumn::PttId) = ReadDtmfSettings(images[i]).pttId;
            csv::Cell(cells, csv::LogColumn::Verify) = verify && row.last != "-" ? row.last : "";
            return cells;
        },
        err);
    const int status = ReportFleet(rows, "VERIFY", out, err);
    log.Close(err);
    return status;
}

int RunFleetRead(const PortArgs& args, std::ostream& out, std::ostream& err) {
    const std::string& folder = args.positional[0];
    std::error_code ec;
    const std::filesystem::path place = PathFromUtf8(folder);
    if (!std::filesystem::is_directory(place, ec)) {
        err << "torvan-cli read: " << folder
            << (std::filesystem::exists(place, ec) ? ": not a folder\n" : ": no such folder\n");
        return 1;
    }
    std::vector<FleetPort> fleet;
    std::vector<std::filesystem::path> files;
    if (!ResolveFleet("read", args.ports, fleet, err)) {
        return 2;
    }
    if (const int refused = ReadFiles(fleet, place, files, err); refused != 0) {
        return refused;
    }
    if (LogIsAlsoAFile("read", args.log, files, err)) {
        return 2;
    }
    JobLog log("read", args.log);
    log.Open(err);
    std::vector<std::string> hashes(fleet.size());
    std::vector<std::string> ids(fleet.size());
    const auto rows = RunAll(
        fleet,
        [&](std::size_t i, FleetProgress& progress, FleetRow& row) {
            // What the settings panel would hold: a new document with its
            // password.
            MemoryImage image;
            image.ResetToNewDocument();
            EncodePasswordBytes(args.password.value_or(""), image);
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
            ids[i] = ReadDtmfSettings(image).pttId;
            hashes[i] = JobLog::Sha256(image);
            row.pttId = ShownPttId(ids[i]);
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
            row.last = PrintableText(Utf8FromPath(files[i]));
        },
        log,
        [&](std::size_t i, const FleetRow&) {
            csv::LogCells cells;
            csv::Cell(cells, csv::LogColumn::File) = LoggedPath(Utf8FromPath(files[i]));
            csv::Cell(cells, csv::LogColumn::Sha256) = hashes[i];
            csv::Cell(cells, csv::LogColumn::PttId) = ids[i];
            return cells;
        },
        err);
    const int status = ReportFleet(rows, "FILE", out, err);
    log.Close(err);
    return status;
}

}  // namespace torvan::cli
