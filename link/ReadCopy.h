#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "model/MemoryImage.h"

namespace torvan {

// The folder where the program keeps files of its own: the XDG data home
// ($XDG_DATA_HOME, or ~/.local/share when that is unset, empty or relative),
// then "torvan-pc-encoder". Empty when neither variable leads anywhere.
std::filesystem::path DataFolder(const char* xdgDataHome, const char* home);
std::filesystem::path DataFolder();

struct ReadCopyResult {
    bool ok = false;
    std::filesystem::path path;  // the copy, when it was kept
    std::string error;           // a sentence for the user otherwise
};

// Keeps the image of a successful Read as "radio-read-YYYYMMDD-HHMMSS.sin"
// (local time; "-2", "-3"... when that name is taken) in `folder`, which is
// created when missing. Never replaces or deletes a file, and leaves no
// partial copy behind.
ReadCopyResult KeepReadCopy(const MemoryImage& image, const std::filesystem::path& folder,
                            std::chrono::system_clock::time_point when);
// The same in DataFolder(), now.
ReadCopyResult KeepReadCopy(const MemoryImage& image);

}  // namespace torvan
