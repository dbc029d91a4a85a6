#pragma once

#include <filesystem>
#include <string>

#include "model/MemoryImage.h"

namespace torvan {

// Result of a channel-data file operation; `error` is a user-facing sentence.
struct FileResult {
    bool ok = false;
    std::string error;
};

// Loads a .sin file into `image`. The image changes only when the file held
// at least 4096 bytes; bytes after the first 4096 are ignored.
FileResult LoadChannelFile(const std::filesystem::path& path, MemoryImage& image);

// Writes the 4096 bytes to a temporary file beside `path` and renames it into
// place, so a failed write never destroys the previous file.
FileResult SaveChannelFile(const std::filesystem::path& path, const MemoryImage& image);

}  // namespace torvan
