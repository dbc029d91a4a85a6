#include "cli/LogCommand.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <algorithm>
#include <array>
#include <optional>
#include <ostream>

#include "cli/FileArgs.h"
#include "cli/ShowJson.h"
#include "csv/CellChecks.h"
#include "csv/JobLogText.h"
#include "model/Text.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

using csv::LogColumn;

struct LogArgs {
    std::vector<std::string> ports;
    std::optional<QDateTime> since;
    bool json = false;
    std::vector<std::string> files;
};

// An ISO 8601 date (from the start of that day, here) or date and time,
// with or without its zone (without: this computer's).
std::optional<QDateTime> ParseSince(const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (value.size() == 10) {
        const QDate day = QDate::fromString(value, Qt::ISODate);
        return day.isValid() ? std::optional(day.startOfDay()) : std::nullopt;
    }
    const QDateTime when = QDateTime::fromString(value, Qt::ISODate);
    return when.isValid() ? std::optional(when) : std::nullopt;
}

bool ParseLogArgs(const Args& args, LogArgs& parsed, std::ostream& err) {
    const std::string prefix = "torvan-cli log: ";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--port" || arg == "--since") && i + 1 >= args.size()) {
            err << prefix << arg << " needs a value\n";
            return false;
        }
        if (arg == "--port") {
            parsed.ports.push_back(args[++i]);
        } else if (arg == "--since") {
            parsed.since = ParseSince(args[++i]);
            if (!parsed.since) {
                err << prefix
                    << "--since takes a date or a date and time (ISO 8601: 2026-12-07, "
                       "2026-12-07T14:00 or 2026-12-07T14:00+01:00), not '"
                    << PrintableText(args[i]) << "'\n";
                return false;
            }
        } else if (arg == "--json") {
            parsed.json = true;
        } else if (!TakeFileName(arg, prefix, parsed.files, err)) {
            return false;
        }
    }
    return ExpectOneFile("log", parsed.files, err);
}

// A port the user names matches the port as given in the job (COM names
// in any letter case) or the device's stable name.
bool PortMatches(const csv::LogCells& cells, const std::vector<std::string>& ports) {
    const std::string& port = csv::Cell(cells, LogColumn::Port);
    return ports.empty() || std::any_of(ports.begin(), ports.end(), [&](const std::string& wanted) {
               return wanted == port || wanted == csv::Cell(cells, LogColumn::Device) ||
                      (!wanted.starts_with('/') && EqualNoCase(wanted, port));
           });
}

constexpr LogColumn kTableColumns[] = {
    LogColumn::Time,   LogColumn::Command, LogColumn::Port,   LogColumn::PttId, LogColumn::Result,
    LogColumn::Verify, LogColumn::Seconds, LogColumn::Sha256, LogColumn::File,  LogColumn::Device};
// The table shows the start of each SHA-256, enough to tell files apart;
// --json gives it whole.
constexpr std::size_t kShownHash = 12;

std::string TableCell(const csv::LogCells& cells, LogColumn column) {
    std::string text = PrintableText(csv::Cell(cells, column));
    if (column == LogColumn::Sha256) {
        text.resize(std::min(text.size(), kShownHash));
    }
    return text.empty() ? "-" : text;
}

void PrintTable(const std::vector<csv::LogEntry>& entries, std::ostream& out) {
    std::vector<std::vector<std::string>> rows(1);
    for (const LogColumn column : kTableColumns) {
        std::string heading(csv::kLogColumns[static_cast<std::size_t>(column)]);
        std::transform(heading.begin(), heading.end(), heading.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
        rows.front().push_back(heading);
    }
    for (const csv::LogEntry& entry : entries) {
        rows.emplace_back();
        for (const LogColumn column : kTableColumns) {
            rows.back().push_back(TableCell(entry.cells, column));
        }
    }
    std::vector<std::size_t> widths(std::size(kTableColumns), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size()) {
                line += std::string(widths[c] - row[c].size() + 2, ' ');
            }
        }
        out << line << '\n';
    }
}

void PrintJsonEntries(const std::vector<csv::LogEntry>& entries, std::ostream& out) {
    constexpr std::array kKeys = {"time",   "command", "port",   "device", "file",
                                  "sha256", "pttId",   "result", "verify", "seconds"};
    static_assert(kKeys.size() == csv::kLogColumnCount, "one key a log column");
    out << '[';
    for (std::size_t e = 0; e < entries.size(); ++e) {
        out << (e == 0 ? "\n  {" : ",\n  {") << "\"line\": " << entries[e].line;
        for (std::size_t c = 0; c < csv::kLogColumnCount; ++c) {
            const std::string& cell = entries[e].cells[c];
            const bool number =
                static_cast<LogColumn>(c) == LogColumn::Seconds && csv::IsDecimalNumber(cell);
            out << ", \"" << kKeys[c] << "\": "
                << (cell.empty() ? "null"
                    : number     ? cell
                                 : JsonString(cell));
        }
        out << '}';
    }
    out << (entries.empty() ? "]\n" : "\n]\n");
}

}  // namespace

int RunLog(const Args& args, std::ostream& out, std::ostream& err) {
    LogArgs parsed;
    if (!ParseLogArgs(args, parsed, err)) {
        return 2;
    }
    const std::string shown = PrintableText(parsed.files[0]);
    const auto text = ReadTextOrReport(parsed.files[0], err);
    if (!text) {
        return 1;
    }
    csv::LogText log = csv::ReadLog(*text);
    if (!log.error.empty()) {
        err << shown << ": " << PrintableText(log.error) << '\n';
        return 1;
    }
    for (const std::string& skipped : log.skipped) {
        err << shown << ": " << skipped << "; it is left out\n";
    }
    std::vector<csv::LogEntry> shownEntries;
    for (csv::LogEntry& entry : log.entries) {
        if (!PortMatches(entry.cells, parsed.ports)) {
            continue;
        }
        if (parsed.since) {
            const std::string& time = csv::Cell(entry.cells, LogColumn::Time);
            const QDateTime when = QDateTime::fromString(QString::fromStdString(time), Qt::ISODate);
            if (!when.isValid()) {
                err << shown << ": line " << entry.line << ": the time \"" << PrintableText(time)
                    << "\" is no ISO 8601 date and time; it is left out\n";
                continue;
            }
            if (when < *parsed.since) {
                continue;
            }
        }
        shownEntries.push_back(std::move(entry));
    }
    if (parsed.json) {
        PrintJsonEntries(shownEntries, out);
    } else {
        PrintTable(shownEntries, out);
    }
    return 0;
}

}  // namespace torvan::cli
