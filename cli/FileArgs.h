#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/MemoryImage.h"

namespace torvan::cli {

// True when `words` is exactly one file name; otherwise a usage line on `err`.
bool ExpectOneFile(const char* command, const std::vector<std::string>& words, std::ostream& err);

// Load or save a channel-data file; on failure the reason goes to `err`.
bool LoadOrReport(const std::string& path, MemoryImage& image, std::ostream& err);
bool SaveOrReport(const std::string& path, const MemoryImage& image, std::ostream& err);

// Whether `output` may be saved (see CheckWritable) and is none of `inputs`
// under any name, a link or a hard link included; otherwise the reason goes
// to `err`. Checked before any work, so nothing is done in vain.
bool OutputOrReport(const std::string& output, const std::vector<std::string>& inputs,
                    std::ostream& err);

}  // namespace torvan::cli
