#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace torvan::csv {

// The record of radio jobs (torvan-cli ... --log FILE): a CSV file that gets
// one line for each radio as that radio ends, and is never rewritten.
enum class LogColumn : std::size_t {
    Time,     // when the radio's work began: 2026-12-07T14:03:12+01:00
    Command,  // write, read, power
    Port,     // as given
    Device,   // the device's stable name (/dev/serial/by-id/...), when it has one
    File,     // the channel-data file written or read into
    Sha256,   // of the memory image written or read
    PttId,
    Result,  // OK, one of the radio's fixed messages, Interrupted, Not saved
    Verify,  // the read-back's result, when one was asked for
    Seconds,
};
inline constexpr std::size_t kLogColumnCount = 10;
// The header names, in LogColumn's order.
inline constexpr std::array<std::string_view, kLogColumnCount> kLogColumns = {
    "Time",    "Command", "Port",   "Device", "File",
    "SHA-256", "PTT ID",  "Result", "Verify", "Seconds"};

using LogCells = std::array<std::string, kLogColumnCount>;

inline std::string& Cell(LogCells& cells, LogColumn column) {
    return cells[static_cast<std::size_t>(column)];
}
inline const std::string& Cell(const LogCells& cells, LogColumn column) {
    return cells[static_cast<std::size_t>(column)];
}

// The header row, and one radio's line, as RFC 4180 records ended by CRLF.
// A cell's control characters are written as \xHH, so that every record is
// one line of the file and a line cut short can be told from the rest.
std::string LogHeader();
std::string LogLine(const LogCells& cells);

struct LogEntry {
    int line = 0;
    LogCells cells;
};

struct LogText {
    std::string error;  // the text is no log (its header lacks a column, ...)
    std::vector<LogEntry> entries;
    // Lines left out, each said as "line 7 is cut short (...)": a program
    // that stopped while it wrote a line leaves it without its end.
    std::vector<std::string> skipped;
};

// The log's lines, its columns found by their header names. A repeated
// header row (two programs that made the file at once) is passed over.
LogText ReadLog(std::string_view text);

}  // namespace torvan::csv
