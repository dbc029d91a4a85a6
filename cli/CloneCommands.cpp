#include "cli/CloneCommands.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <iostream>

#include "cli/FileArgs.h"
#include "cli/FleetCommands.h"
#include "cli/FleetPorts.h"
#include "cli/FleetTable.h"
#include "cli/InterruptWatch.h"
#include "cli/JobLog.h"
#include "cli/PortArgs.h"
#include "cli/PttIds.h"
#include "cli/TerminalProgress.h"
#include "config/PortsSection.h"
#include "config/ReadCopy.h"
#include "form/DtmfSettings.h"
#include "form/ImageCodec.h"
#include "link/CloneTransfer.h"
#include "link/PortNames.h"
#include "link/PowerTuning.h"
#include "link/WriteCheck.h"
#include "link/serial/PortFactory.h"
#include "link/serial/SerialThread.h"
#include "model/PasswordCodec.h"
#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

using Clock = std::chrono::steady_clock;

// The fixed message, then the system's reason and what to do about it. A
// transfer stopped by a signal exits as the shell reports one (130 for Ctrl+C).
int Report(const Result& outcome, std::ostream& err) {
    if (outcome.ok) {
        return 0;
    }
    err << outcome.error << '\n';
    for (const std::string& note : FailureNotes(outcome)) {
        err << note << '\n';
    }
    return InterruptWatch::FailureStatus();
}

// A signal stops the transfer at its next block. A Write that completed
// all the same keeps its result: the radio holds the whole image.
Result Transfer(CloneDirection direction, const PortDevice& device, MemoryImage& image,
                std::ostream& err) {
    Result outcome;
    {  // the progress is written out before anything is reported
        TerminalProgress progress(err,
                                  direction == CloneDirection::Read ? "Read data" : "Write data",
                                  TerminalProgress::Terminal(err));
        const InterruptWatch interrupts;
        RunOnSerialThread([&] {
            const auto serial = MakeSerialPort();
            outcome = CloneTransfer(*serial, image, progress).Run(direction, device);
        });
    }
    if (InterruptWatch::Caught() != 0 && (!outcome.ok || direction == CloneDirection::Read)) {
        outcome = InterruptWatch::Interrupted(direction);
    }
    return outcome;
}

std::optional<LevelPoint> FindPoint(const std::string& name) {
    for (const LevelPointInfo& info : kLevelPoints) {
        if (info.cliName == name) {
            return info.point;
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> ParseLevel(const std::string& text) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

// Query, optional send, then the end of tuning. A radio that did not answer
// the query gets nothing more: no point is active there to end.
Result Tune(const PortDevice& device, LevelPoint point, std::optional<std::uint8_t> value,
            std::ostream& out) {
    Result outcome;
    RunOnSerialThread([&] {
        const auto serial = MakeSerialPort();
        if (Result opened = OpenResolvedPort(*serial, device); !opened.ok) {
            outcome = std::move(opened);
            return;
        }
        serial->ConfigurePort(TuningPacing);
        SerialLink link(*serial);
        const std::string label(InfoOf(point).label);
        const auto current = QueryLevel(link, point);
        if (current) {
            out << label << ' ' << static_cast<int>(*current) << std::endl;
            outcome.ok = !value || SendLevel(link, point, *value);
            if (outcome.ok && value) {
                out << label << ' ' << static_cast<int>(*value) << std::endl;
            }
            outcome.ok = EndTuning(link) && outcome.ok;
        }
        if (!outcome.ok) {
            outcome.error = clone_message::kCommunicationError;
            outcome.reason = serial->ErrorText();
        }
        serial->ClosePort();
    });
    return outcome;
}

// Reads the radio back and compares what the Write sent. The read-back
// starts from the written image, so its password probe matches the password
// just written at 0x840-0x845. `verdict` gets the result as the fleet table
// and the log give it.
int VerifyWrite(const MemoryImage& sent, const PortDevice& device, std::string& verdict,
                std::ostream& out, std::ostream& err) {
    MemoryImage readBack = sent;
    const Result outcome = Transfer(CloneDirection::Read, device, readBack, err);
    if (!outcome.ok && InterruptWatch::Caught() != 0) {
        verdict = "Interrupted";
        return Report(InterruptWatch::Unverified(), err);
    }
    if (!outcome.ok) {
        verdict = "read-back failed";
        err << "Verify: the read-back failed\n";
        return Report(outcome, err);
    }
    const std::vector<std::size_t> differing = UnwrittenAddresses(sent, readBack);
    if (differing.empty()) {
        verdict = "OK";
        out << "Verify: the radio holds what was written\n";
        return 0;
    }
    verdict = std::to_string(differing.size()) + " bytes differ: " + AddressRanges(differing);
    err << "Verify: " << differing.size()
        << " bytes differ after the Write: " << AddressRanges(differing) << '\n';
    return 1;
}

// A transfer's result as the log gives it: "OK", "Interrupted" or the
// fixed message.
std::string ResultCell(const Result& outcome) {
    if (outcome.ok) {
        return "OK";
    }
    return InterruptWatch::Caught() != 0 ? "Interrupted" : PrintableText(outcome.error);
}

// The log's line of the one radio of a command, from the cells the command
// filled in.
void AddLine(JobLog& log, csv::LogCells cells, const std::string& port, const PortDevice& device,
             const std::string& began, Clock::time_point start) {
    csv::Cell(cells, csv::LogColumn::Time) = began;
    csv::Cell(cells, csv::LogColumn::Port) = port;
    csv::Cell(cells, csv::LogColumn::Device) = StableName(device);
    csv::Cell(cells, csv::LogColumn::Seconds) =
        JobLog::Seconds(std::chrono::duration<double>(Clock::now() - start).count());
    log.Add(std::move(cells));
}

// "PTT ID: 1001", or "PTT ID: none".
void SayPttId(const MemoryImage& image, std::ostream& out) {
    const std::string id = ReadDtmfSettings(image).pttId;
    out << "PTT ID: " << (id.empty() ? "none" : id) << '\n';
}

}  // namespace

int RunRead(const Args& args, std::ostream& out, std::ostream& err) {
    PortArgs parsed;
    if (!ParsePortArgs("read", args, kPasswordOption | kLogOption, parsed, err) ||
        !ExpectOneFile("read", parsed.positional, err)) {
        return 2;
    }
    if (parsed.ports.size() > 1) {
        return RunFleetRead(parsed, out, err);
    }
    const std::string& file = parsed.positional[0];
    if (LogIsAlsoAFile("read", parsed.log, {PathFromUtf8(file)}, err)) {
        return 2;
    }
    // A file that cannot be written must not cost a whole transfer first.
    if (const Result writable = CheckWritable(file); !writable.ok) {
        err << writable.error << '\n';
        return 1;
    }
    JobLog log("read", parsed.log);
    log.Open(err);
    // Held until the file is saved: Ctrl+C after the transfer must not kill
    // the program half-way through the save.
    const InterruptWatch interrupts;
    // What the settings panel would hold: a new document with its password.
    MemoryImage image;
    image.ResetToNewDocument();
    EncodePasswordBytes(parsed.password.value_or(""), image);
    const PortDevice device = RunPortResolver(PortsSection()).Resolve(parsed.ports[0]);
    const std::string began = JobLog::Now();
    const auto start = Clock::now();
    const Result outcome = Transfer(CloneDirection::Read, device, image, err);
    csv::LogCells cells;
    csv::Cell(cells, csv::LogColumn::File) = LoggedPath(file);
    csv::Cell(cells, csv::LogColumn::Result) = ResultCell(outcome);
    if (!outcome.ok) {
        AddLine(log, cells, parsed.ports[0], device, began, start);
        const int status = Report(outcome, err);
        log.Close(err);
        return status;
    }
    // The radio's own memory is worth keeping even when OUT.sin cannot be
    // written; a copy that cannot be kept does not fail the read.
    if (const auto copy = KeepReadCopy(image); !copy.ok) {
        err << copy.error << '\n';
    }
    const bool saved = SaveOrReport(file, image, err);
    csv::Cell(cells, csv::LogColumn::Sha256) = JobLog::Sha256(image);
    csv::Cell(cells, csv::LogColumn::PttId) = ReadDtmfSettings(image).pttId;
    csv::Cell(cells, csv::LogColumn::Result) = saved ? "OK" : "Not saved";
    AddLine(log, cells, parsed.ports[0], device, began, start);
    if (saved) {
        SayPttId(image, out);
    }
    log.Close(err);
    return saved ? 0 : 1;
}

int RunWrite(const Args& args, std::ostream& out, std::ostream& err) {
    // Said twice is still one read-back.
    Args words = args;
    const bool verifying = std::erase(words, "--verify") != 0;
    PortArgs parsed;
    if (!ParsePortArgs("write", words, kPttIdOptions | kLogOption, parsed, err) ||
        !ExpectOneFile("write", parsed.positional, err)) {
        return 2;
    }
    if (parsed.ports.size() > 1) {
        return RunFleetWrite(parsed, verifying, out, err);
    }
    const std::string& file = parsed.positional[0];
    MemoryImage image;
    if (!LoadOrReport(file, image, err)) {
        return 1;
    }
    std::vector<FleetPort> radio;
    if (!ResolveFleet("write", parsed.ports, radio, err)) {
        return 2;
    }
    std::vector<MemoryImage> images;
    if (const int refused = RadioImages(parsed, radio, file, image, images, err); refused != 0) {
        return refused;
    }
    image = images.front();
    JobLog log("write", parsed.log);
    log.Open(err);
    // Held from the Write to the end of its read-back: Ctrl+C between the
    // two must not end the program with the default action.
    const InterruptWatch interrupts;
    const PortDevice& device = radio.front().device;
    const std::string began = JobLog::Now();
    const auto start = Clock::now();
    const Result written = Transfer(CloneDirection::Write, device, image, err);
    int status = Report(written, err);
    std::string verdict;
    if (status == 0 && (parsed.pttId || parsed.pttIds)) {
        SayPttId(image, out);
    }
    if (status == 0 && verifying) {
        status = VerifyWrite(image, device, verdict, out, err);
    }
    csv::LogCells cells;
    csv::Cell(cells, csv::LogColumn::File) = LoggedPath(file);
    csv::Cell(cells, csv::LogColumn::Sha256) = JobLog::Sha256(image);
    csv::Cell(cells, csv::LogColumn::PttId) = ReadDtmfSettings(image).pttId;
    csv::Cell(cells, csv::LogColumn::Result) = ResultCell(written);
    csv::Cell(cells, csv::LogColumn::Verify) = verdict;
    AddLine(log, cells, parsed.ports[0], device, began, start);
    log.Close(err);
    return status;
}

int RunPower(const Args& args, std::ostream& out, std::ostream& err) {
    PortArgs parsed;
    if (!ParsePortArgs("power", args, kLogOption, parsed, err)) {
        return 2;
    }
    if (parsed.ports.size() > 1) {
        err << "torvan-cli power: tunes one radio at a time; give one --port\n";
        return 2;
    }
    const std::size_t count = parsed.positional.size();
    const auto point = count >= 1 ? FindPoint(parsed.positional[0]) : std::nullopt;
    const auto value = count == 2 ? ParseLevel(parsed.positional[1]) : std::nullopt;
    if (!point || count > 2 || (count == 2 && !value)) {
        err << "torvan-cli power: expected POINT [VALUE]: POINT is low-low, low-high, "
               "middle-low, middle-high, high-low or high-high; VALUE is 0 to 255\n";
        return 2;
    }
    JobLog log("power", parsed.log);
    log.Open(err);
    const PortDevice device = RunPortResolver(PortsSection()).Resolve(parsed.ports[0]);
    const std::string began = JobLog::Now();
    const auto start = Clock::now();
    const Result tuned = Tune(device, *point, value, out);
    csv::LogCells cells;
    csv::Cell(cells, csv::LogColumn::Result) = ResultCell(tuned);
    AddLine(log, cells, parsed.ports[0], device, began, start);
    const int status = Report(tuned, err);
    log.Close(err);
    return status;
}

}  // namespace torvan::cli
