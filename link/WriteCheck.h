#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/MemoryImage.h"

namespace torvan {

// The addresses a Write sends (below offset::kWriteEnd, and the band
// signature) at which the radio's read-back differs from the image that was
// sent.
std::vector<std::size_t> UnwrittenAddresses(const MemoryImage& sent, const MemoryImage& readBack);

// "0x100-0x107, 0xFF1" for a report.
std::string AddressRanges(const std::vector<std::size_t>& addresses);

}  // namespace torvan
