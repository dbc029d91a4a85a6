#include "model/ChannelFile.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan {
namespace {

// "Cannot open PATH: REASON.", the name shown as PrintableText shows it: a
// control byte in a file name must not reach the terminal.
FileResult Fail(const char* verb, const std::filesystem::path& path, const std::string& reason) {
    return Result::Failure(std::string(verb) + " " + PrintableText(Utf8FromPath(path)) + ": " +
                           reason + ".");
}

}  // namespace

FileResult LoadChannelFile(const std::filesystem::path& path, MemoryImage& image) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return Fail("Cannot open", path, "it is a folder");
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Fail("Cannot open", path, ErrnoText(errno));
    }
    // Stage the bytes so a short or unreadable file leaves the image as it was.
    MemoryImage::Bytes staging{};
    in.read(reinterpret_cast<char*>(staging.data()), static_cast<std::streamsize>(staging.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got < MemoryImage::kSize) {
        if (in.bad()) {
            return Fail("Cannot read", path, ErrnoText(errno));
        }
        return Fail(
            "Cannot open", path,
            "it holds " + std::to_string(got) + " bytes, but a channel-data file holds 4096");
    }
    image.bytes() = staging;
    return Result::Success();
}

FileResult SaveChannelFile(const std::filesystem::path& path, const MemoryImage& image) {
    const auto& bytes = image.bytes();
    return WriteFileAtomically(
        path, std::span<const char>(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

FileResult LoadChannelFile(const std::string& utf8Name, MemoryImage& image) {
    return LoadChannelFile(PathFromUtf8(utf8Name), image);
}

FileResult SaveChannelFile(const std::string& utf8Name, const MemoryImage& image) {
    return SaveChannelFile(PathFromUtf8(utf8Name), image);
}

}  // namespace torvan
