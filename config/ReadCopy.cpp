#include "config/ReadCopy.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "model/Utf8Text.h"

namespace torvan {
namespace {

constexpr int kMaxSameSecond = 100;

std::string Stamp(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Creates `path` only if nothing is there yet ("x": exclusive creation).
// Returns 0 on success, EEXIST when the name is taken, or another errno.
int WriteNew(const std::filesystem::path& path, const MemoryImage& image) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wbx"));
    if (!file) {
        return errno;
    }
    const auto& bytes = image.bytes();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                         std::fflush(file.get()) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(file.release()) == 0;
    const int closeError = errno;
    if (written && closed) {
        return 0;
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    const int reason = written ? closeError : writeError;
    // Never EEXIST here: the caller would take it for a name already used.
    return reason != 0 && reason != EEXIST ? reason : EIO;
    return 0;
}

}  // namespace

ResultOf<std::filesystem::path> KeepReadCopy(const MemoryImage& image,
                                             const std::filesystem::path& folder,
                                             std::chrono::system_clock::time_point when) {
    using Kept = ResultOf<std::filesystem::path>;
    if (folder.empty()) {
        return Kept::Failure("No data folder for the copy of the read (HOME is not set).");
    }
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    const std::string stem = "radio-read-" + Stamp(when);
    std::filesystem::path path;
    int error = 0;
    for (int n = 1; n <= kMaxSameSecond; ++n) {
        const std::string suffix = n == 1 ? "" : "-" + std::to_string(n);
        path = folder / (stem + suffix + ".sin");
        error = WriteNew(path, image);
        if (error != EEXIST) {
            break;
        }
    }
    if (error != 0) {
        return Kept::Failure("The copy of the read could not be kept in " +
                             PrintableText(path.string()) + ": " + std::strerror(error));
    }
    return Kept::Success(std::move(path));
}

ResultOf<std::filesystem::path> KeepReadCopy(const MemoryImage& image) {
    return KeepReadCopy(image, DataFolder(), std::chrono::system_clock::now());
}

}  // namespace torvan
