#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "model/Result.h"

namespace torvan {

// Replaces the contents of `path` as one step: the bytes go to a new file in
// the same folder, are flushed to the disk, and that file is renamed over
// the old one, so a failure at any point leaves the previous file as it was
// and no temporary file behind. A symbolic link is followed and its target
// written; the file keeps its permission bits (on Windows, ReplaceFileW
// keeps its attributes and access rights). Failures read
// "Cannot save <path>: <reason>.".
Result WriteFileAtomically(const std::filesystem::path& path, std::span<const char> bytes);

// Whether WriteFileAtomically could write `path` now: its folder exists and
// may be written, and what `path` leads to is either nothing yet or a
// regular file the user may write that is not this program's standard output
// or error. Devices, FIFOs and folders are refused, never replaced; a file
// without any write permission bit (on Windows, with the read-only
// attribute) is read-only for everyone, root included. On Windows a reserved
// device name (CON, NUL, COM1, LPT1.txt, ...) is refused too.
Result CheckWritable(const std::filesystem::path& path);

// Whether two names lead to the same file (a link, a hard link, another
// spelling); false when either cannot be looked at.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Creates `path` holding `bytes` only where no file of that name exists, so
// nothing another process made meanwhile is replaced; a file cut short is
// removed again. `taken` tells a name already in use from other failures;
// `reason` is the system's, empty when the file was written.
struct NewFile {
    bool taken = false;
    std::string reason;
};
NewFile WriteNewFile(const std::filesystem::path& path, std::span<const char> bytes);

// Adds `line` to the end of the file `path` in one write, so that lines added
// at the same time, by several threads or programs, never run into each
// other; the bytes are flushed to the disk before it returns. A new or empty
// file gets `header` first, and a file whose last line was cut short (a
// crash while it was written) gets a line end ('\n') first, so that the new
// line stands whole. An empty `line` only makes the file ready: created with
// its header when new, which tells early whether it can be written. Anything
// but a regular file (a device, a FIFO, a folder) is refused and left as it
// is. Failures read "Cannot write <path>: <reason>.".
Result AppendToFile(const std::filesystem::path& path, std::string_view header,
                    std::string_view line);

// "Cannot save PATH: REASON.", the name shown as PrintableText shows it: a
// control byte in a file name must not reach the terminal.
Result SaveRefused(const std::filesystem::path& path, const std::string& reason);
// "Cannot write PATH: REASON.", the name shown the same way.
Result WriteRefused(const std::filesystem::path& path, const std::string& reason);

// The same functions for a file name in UTF-8 (a command-line argument): the
// name reaches the file system through PathFromUtf8, so "Kanäle.sin" is the
// same file on Windows as on Linux.
Result WriteFileAtomically(const std::string& utf8Name, std::span<const char> bytes);
Result CheckWritable(const std::string& utf8Name);

}  // namespace torvan
