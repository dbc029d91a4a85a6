#pragma once

#include <filesystem>
#include <span>

#include "model/Result.h"

namespace torvan {

// Replaces the contents of `path` as one step: the bytes go to a new file in
// the same folder, are flushed to the disk, and that file is renamed over
// the old one, so a failure at any point leaves the previous file as it was
// and no temporary file behind. A symbolic link is followed and its target
// written; the file keeps its permission bits. Failures read
// "Cannot save <path>: <reason>.".
Result WriteFileAtomically(const std::filesystem::path& path, std::span<const char> bytes);

// Whether WriteFileAtomically could write `path` now: its folder exists and
// may be written, and what `path` leads to is either nothing yet or a
// regular file the user may write that is not this program's standard output
// or error. Devices, FIFOs and folders are refused, never replaced; a file
// without any write permission bit is read-only for everyone, root included.
Result CheckWritable(const std::filesystem::path& path);

}  // namespace torvan
