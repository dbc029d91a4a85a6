#include "cli/JobLog.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>

#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

// A log's header row is short: what a file holds first tells a log from
// anything else without reading all of it.
constexpr std::streamsize kHeaderSpan = 4096;

// The first line of the file at `path`, or as much of it as a header row
// could be; empty when the file is new or empty.
std::string FirstLine(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string start(static_cast<std::size_t>(kHeaderSpan), '\0');
    in.read(start.data(), kHeaderSpan);
    start.resize(static_cast<std::size_t>(in.gcount()));
    return start.substr(0, start.find('\n'));
}

}  // namespace

JobLog::JobLog(std::string command, const std::optional<std::string>& path)
    : command_(std::move(command)) {
    if (path) {
        path_ = PathFromUtf8(*path);
        shown_ = PrintableText(*path);
    }
}

void JobLog::Open(std::ostream& err) {
    if (!path_) {
        return;
    }
    // Only a regular file is read ahead: opening a FIFO, a terminal or a
    // serial device would wait, or change its lines; AppendToFile refuses
    // them without opening.
    std::error_code ec;
    const bool regular = std::filesystem::is_regular_file(*path_, ec);
    const std::string first = regular ? FirstLine(*path_) : std::string();
    Result ready;
    if (!first.empty() && !csv::ReadLog(first + "\n").error.empty()) {
        foreign_ = true;
        ready = Result::Failure("", "it is not a log of radio jobs");
    } else {
        ready = AppendToFile(*path_, csv::LogHeader(), {});
    }
    if (!ready.ok) {
        err << "Log: cannot write " << shown_ << " (" << PrintableText(ready.reason)
            << "); the job goes on without its record\n";
    }
}

void JobLog::Add(csv::LogCells cells) {
    if (!path_) {
        return;
    }
    csv::Cell(cells, csv::LogColumn::Command) = command_;
    const std::lock_guard lock(mutex_);
    ++lines_;
    const Result added = foreign_ ? Result::Failure("", "it is not a log of radio jobs")
                                  : AppendToFile(*path_, csv::LogHeader(), csv::LogLine(cells));
    if (!added.ok) {
        ++lost_;
        reason_ = added.reason;
    }
}

void JobLog::Close(std::ostream& err) {
    const std::lock_guard lock(mutex_);
    if (lost_ != 0) {
        err << "Log: " << lost_ << " of " << lines_ << (lines_ == 1 ? " line" : " lines")
            << " could not be written to " << shown_ << " (" << PrintableText(reason_) << ")\n";
    }
}

std::string JobLog::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const int offset = now.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", offset < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return now.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toStdString() + zone;
}

std::string JobLog::Sha256(const MemoryImage& image) {
    const auto& bytes = image.bytes();
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex().toStdString();
}

std::string JobLog::Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    return text;
}

std::string LoggedPath(const std::string& utf8Name) {
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(PathFromUtf8(utf8Name), ec);
    return ec ? utf8Name : Utf8FromPath(path.lexically_normal());
}

bool LogIsAlsoAFile(const std::string& command, const std::optional<std::string>& log,
                    const std::vector<std::filesystem::path>& files, std::ostream& err) {
    if (!log) {
        return false;
    }
    const auto place = [](const std::filesystem::path& path) {
        std::error_code ec;
        const std::filesystem::path where = std::filesystem::weakly_canonical(path, ec);
        return ec ? path : where;
    };
    const std::filesystem::path path = PathFromUtf8(*log);
    for (const std::filesystem::path& file : files) {
        if (SameFile(path, file) || place(path) == place(file)) {
            err << "torvan-cli " << command << ": --log " << PrintableText(*log)
                << " is also the command's file " << PrintableText(Utf8FromPath(file))
                << "; give the log a name of its own\n";
            return true;
        }
    }
    return false;
}

}  // namespace torvan::cli
