#include "model/ChannelFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "model/SafeFile.h"

namespace torvan {
namespace {

std::string Reason() {
    return errno != 0 ? std::strerror(errno) : "unknown error";
}

FileResult Fail(std::string message) {
    return Result::Failure(std::move(message));
}

}  // namespace

FileResult LoadChannelFile(const std::filesystem::path& path, MemoryImage& image) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return Fail("Cannot open " + path.string() + ": it is a folder.");
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Fail("Cannot open " + path.string() + ": " + Reason() + ".");
    }
    // Stage the bytes so a short or unreadable file leaves the image as it was.
    MemoryImage::Bytes staging{};
    in.read(reinterpret_cast<char*>(staging.data()), static_cast<std::streamsize>(staging.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got < MemoryImage::kSize) {
        if (in.bad()) {
            return Fail("Cannot read " + path.string() + ": " + Reason() + ".");
        }
        return Fail("Cannot open " + path.string() + ": it holds " + std::to_string(got) +
                    " bytes, but a channel-data file holds 4096.");
    }
    image.bytes() = staging;
    return Result::Success();
}

FileResult SaveChannelFile(const std::filesystem::path& path, const MemoryImage& image) {
    const auto& bytes = image.bytes();
    return WriteFileAtomically(
        path, std::span<const char>(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace torvan
