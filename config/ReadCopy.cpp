#include "config/ReadCopy.h"

#include <ctime>
#include <span>

#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan {
namespace {

constexpr int kMaxSameSecond = 100;

std::string Stamp(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Creates `path` only if nothing is there yet.
NewFile WriteNew(const std::filesystem::path& path, const MemoryImage& image) {
    const auto& bytes = image.bytes();
    return WriteNewFile(
        path, std::span<const char>(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

ResultOf<std::filesystem::path> KeepReadCopy(const MemoryImage& image,
                                             const std::filesystem::path& folder,
                                             std::chrono::system_clock::time_point when) {
    using Kept = ResultOf<std::filesystem::path>;
    if (folder.empty()) {
#ifdef _WIN32
        return Kept::Failure("No data folder for the copy of the read (LOCALAPPDATA is not set).");
#else
        return Kept::Failure("No data folder for the copy of the read (HOME is not set).");
#endif
    }
    std::error_code ignored;  // a folder that cannot be made fails the copy, with its reason
    std::filesystem::create_directories(folder, ignored);
    const std::string stem = "radio-read-" + Stamp(when);
    std::filesystem::path path;
    NewFile made;
    for (int n = 1; n <= kMaxSameSecond; ++n) {
        std::string name = stem;
        if (n > 1) {
            name += '-';
            name += std::to_string(n);
        }
        path = folder / (name + ".sin");
        made = WriteNew(path, image);
        if (!made.taken) {
            break;
        }
    }
    if (!made.reason.empty()) {
        return Kept::Failure("The copy of the read could not be kept in " +
                             PrintableText(Utf8FromPath(path)) + ": " + made.reason);
    }
    return Kept::Success(std::move(path));
}

ResultOf<std::filesystem::path> KeepReadCopy(const MemoryImage& image) {
    return KeepReadCopy(image, DataFolder(), std::chrono::system_clock::now());
}

}  // namespace torvan
