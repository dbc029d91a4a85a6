#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/MemoryImage.h"

namespace torvan::cli {

// True when `words` is exactly one file name; otherwise a usage line on `err`.
bool ExpectOneFile(const char* command, const std::vector<std::string>& words, std::ostream& err);

// An argument no option took: a file name, kept in `files`, or an unknown
// option, said on `err` after `prefix` (false).
bool TakeFileName(const std::string& arg, const std::string& prefix,
                  std::vector<std::string>& files, std::ostream& err);

// Load or save a channel-data file; on failure the reason goes to `err`.
bool LoadOrReport(const std::string& path, MemoryImage& image, std::ostream& err);
bool SaveOrReport(const std::string& path, const MemoryImage& image, std::ostream& err);

// The whole of a text file (a sheet, a log); nullopt, with "Cannot read
// PATH: REASON." on `err`, when it cannot be read, is a folder or is empty.
std::optional<std::string> ReadTextOrReport(const std::string& path, std::ostream& err);

// Whether `output` may be saved (see CheckWritable) and is none of `inputs`
// under any name, a link or a hard link included; otherwise the reason goes
// to `err`. Checked before any work, so nothing is done in vain.
bool OutputOrReport(const std::string& output, const std::vector<std::string>& inputs,
                    std::ostream& err);

// The value of an option that takes one of two words ("--format own"):
// the index of the word after args[i] in `words`, and i moves onto it.
// nullopt when it is missing or another word; the reason goes to `err`.
std::optional<std::size_t> ParseChoice(const std::string& prefix,
                                       const std::vector<std::string>& args, std::size_t& i,
                                       const std::string_view (&words)[2], std::ostream& err);

}  // namespace torvan::cli
