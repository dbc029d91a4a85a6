#pragma once

#include <optional>

#include "model/FrequencyLimits.h"
#include "model/MemoryImage.h"

namespace torvan {

// Whole-MHz limits held in the band signature.
struct BandMHz {
    unsigned lower = 0;
    unsigned upper = 0;
};

// Nothing when any of the three bytes is unset.
std::optional<BandMHz> ReadBandSignature(const MemoryImage& image);
void WriteBandSignature(const FrequencyLimits& limits, MemoryImage& image);

}  // namespace torvan
