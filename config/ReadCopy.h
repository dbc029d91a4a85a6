#pragma once

#include <chrono>
#include <filesystem>

#include "config/ProgramFolders.h"
#include "model/MemoryImage.h"
#include "model/Result.h"

namespace torvan {

// Keeps the image of a successful Read as "radio-read-YYYYMMDD-HHMMSS.sin"
// (local time; "-2", "-3"... when that name is taken) in `folder`, which is
// created when missing. Never replaces or deletes a file, and leaves no
// partial copy behind. The value is the copy's path.
ResultOf<std::filesystem::path> KeepReadCopy(const MemoryImage& image,
                                             const std::filesystem::path& folder,
                                             std::chrono::system_clock::time_point when);
// The same in DataFolder(), now.
ResultOf<std::filesystem::path> KeepReadCopy(const MemoryImage& image);

}  // namespace torvan
