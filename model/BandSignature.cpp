#include "model/BandSignature.h"

#include <algorithm>

namespace torvan {

std::optional<BandMHz> ReadBandSignature(const MemoryImage& image) {
    const auto sig = image.Span(offset::kBandSignature, offset::kBandSignatureLength);
    if (std::find(sig.begin(), sig.end(), kUnsetByte) != sig.end()) {
        return std::nullopt;
    }
    const auto hi = [](std::uint8_t b) { return static_cast<unsigned>(b >> 4U); };
    const auto lo = [](std::uint8_t b) { return static_cast<unsigned>(b & 0x0FU); };
    return BandMHz{hi(sig[0]) * 100U + lo(sig[0]) * 10U + hi(sig[2]),
                   hi(sig[1]) * 100U + lo(sig[1]) * 10U + lo(sig[2])};
}

void WriteBandSignature(const FrequencyLimits& limits, MemoryImage& image) {
    const unsigned lower = limits.lower / 100000U;
    const unsigned upper = limits.upper / 100000U;
    const auto pair = [](unsigned mhz) {
        return static_cast<std::uint8_t>(((mhz / 100U) * 16U + (mhz / 10U) % 10U) & 0xFFU);
    };
    image[offset::kBandSignature] = pair(lower);
    image[offset::kBandSignature + 1] = pair(upper);
    image[offset::kBandSignature + 2] =
        static_cast<std::uint8_t>(((lower % 10U) * 16U + upper % 10U) & 0xFFU);
}

}  // namespace torvan
