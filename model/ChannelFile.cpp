#include "model/ChannelFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace torvan {
namespace {

std::string Reason() {
    return errno != 0 ? std::strerror(errno) : "unknown error";
}

FileResult Fail(std::string message) {
    return FileResult{false, std::move(message)};
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
    return FileResult{true, {}};
}

FileResult SaveChannelFile(const std::filesystem::path& path, const MemoryImage& image) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return Fail("Cannot save " + path.string() + ": it is a folder.");
    }
    std::filesystem::path temp = path;
    temp += ".saving";
    errno = 0;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return Fail("Cannot save " + path.string() + ": " + Reason() + ".");
        }
        const auto& bytes = image.bytes();
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            const std::string reason = Reason();
            out.close();
            std::filesystem::remove(temp, ec);
            return Fail("Cannot save " + path.string() + ": " + reason + ".");
        }
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return Fail("Cannot save " + path.string() + ": " + ec.message() + ".");
    }
    return FileResult{true, {}};
}

}  // namespace torvan
