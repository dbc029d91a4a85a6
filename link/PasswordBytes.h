#pragma once

#include <string_view>

#include "model/MemoryImage.h"

namespace torvan {

// Stores a password text in image bytes 0x840-0x845 as the settings panel's
// encoder does: a digit as its ASCII code, any other character as 0x30,
// 0xFF beyond the text; only the first six characters count.
void EncodePasswordBytes(std::string_view text, MemoryImage& image);

}  // namespace torvan
