#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "csv/JobLogText.h"
#include "model/MemoryImage.h"

namespace torvan::cli {

// The record a radio command keeps with --log FILE: one line for each radio,
// appended as soon as that radio ends, so that a job cut short keeps the
// lines of the radios that ended. The file is never rewritten.
//
// A log that cannot be written never stops or fails a radio's transfer: it
// is said before the first radio is touched and again at the end, with the
// count of lines lost, and the exit status is the radios' alone.
class JobLog {
public:
    // `path`: the --log value; without one nothing is recorded.
    JobLog(std::string command, const std::optional<std::string>& path);

    // Before any radio is touched: makes the log ready (created with its
    // header when new) and says on `err` when it cannot be written. A file
    // that holds something other than such a log is never written to.
    void Open(std::ostream& err);
    // One radio's line (its Command cell is filled in here), appended whole
    // at once; safe from the radios' threads.
    void Add(csv::LogCells cells);
    // After the last radio: how many lines could not be written, on `err`.
    void Close(std::ostream& err);

    // The time as the log gives it: 2026-12-07T14:03:12+01:00.
    static std::string Now();
    // The SHA-256 of an image's 4096 bytes, in lower-case hex: the same as of
    // the .sin file that holds it.
    static std::string Sha256(const MemoryImage& image);
    // Seconds with one decimal: "16.3".
    static std::string Seconds(double seconds);

private:
    std::string command_;
    std::optional<std::filesystem::path> path_;
    std::string shown_;  // the path as messages show it
    std::mutex mutex_;   // guards what follows, and keeps lines apart
    bool foreign_ = false;
    std::size_t lines_ = 0;
    std::size_t lost_ = 0;
    std::string reason_;  // why the last line was lost
};

// A file as the log names it: its whole path, so that the record tells it
// wherever the job was started from.
std::string LoggedPath(const std::string& utf8Name);

// Whether --log names one of the command's own files (the log would be
// appended to a channel-data file, or replaced by one); said on `err`.
bool LogIsAlsoAFile(const std::string& command, const std::optional<std::string>& log,
                    const std::vector<std::filesystem::path>& files, std::ostream& err);

}  // namespace torvan::cli
