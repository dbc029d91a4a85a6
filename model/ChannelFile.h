#pragma once

#include <filesystem>
#include <string>

#include "model/MemoryImage.h"
#include "model/Result.h"

namespace torvan {

using FileResult = Result;

// Loads a .sin file into `image`. The image changes only when the file held
// at least 4096 bytes; bytes after the first 4096 are ignored.
FileResult LoadChannelFile(const std::filesystem::path& path, MemoryImage& image);

// Writes the 4096 bytes as one step (see WriteFileAtomically): a failed save
// never destroys the previous file.
FileResult SaveChannelFile(const std::filesystem::path& path, const MemoryImage& image);

// The same for a file name in UTF-8 (see PathFromUtf8).
FileResult LoadChannelFile(const std::string& utf8Name, MemoryImage& image);
FileResult SaveChannelFile(const std::string& utf8Name, const MemoryImage& image);

}  // namespace torvan
