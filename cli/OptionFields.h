#pragma once

#include <vector>

#include "form/ImageFields.h"

namespace torvan::cli {

// The option groups and, after them, the six power tuning values the image
// keeps: what show and diff list besides the form.
std::vector<ImageField> OptionFields(const MemoryImage& image);

}  // namespace torvan::cli
