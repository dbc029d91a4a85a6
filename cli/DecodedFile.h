#pragma once

#include <iosfwd>
#include <string>

#include "form/MemoryForm.h"
#include "model/FrequencyLimits.h"
#include "model/MemoryImage.h"

namespace torvan::cli {

// A channel-data file as the window would show it after File Open: the image,
// the settings panel and grid decoded from it, and the band it sets.
struct DecodedFile {
    MemoryImage image;
    MemoryForm form;
    FrequencyLimits limits;
};

// Loads and decodes `path` (model lists from Program.ini beside this
// program); on failure the reason goes to `err`.
bool LoadDecoded(const std::string& path, DecodedFile& file, std::ostream& err);

}  // namespace torvan::cli
