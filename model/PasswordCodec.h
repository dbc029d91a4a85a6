#pragma once

#include <string>
#include <string_view>

#include "model/MemoryImage.h"

namespace torvan {

// The password's digits as the panel shows them; other bytes are skipped.
std::string DecodePassword(const MemoryImage& image);

// Stores a password text in the image as the form does: a digit as its
// ASCII code, any other character as "0", unset beyond the text; at most six.
void EncodePasswordBytes(std::string_view text, MemoryImage& image);

}  // namespace torvan
