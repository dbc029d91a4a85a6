#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/MemoryImage.h"

namespace torvan::testing_support {

// The bits DecodeImage then EncodeImage may change, per image offset; every
// other bit must come back as it was.
inline std::array<std::uint8_t, MemoryImage::kSize> OwnedBits() {
    std::array<std::uint8_t, MemoryImage::kSize> owned{};
    for (std::size_t slot = 0; slot < 128; ++slot) {
        for (std::size_t i = 0; i < 12; ++i) {
            owned[slot * 16 + i] = 0xFF;
        }
        owned[slot * 16 + 12] = 0x03;
        owned[slot * 16 + 13] = 0x3F;
    }
    for (std::size_t at = 0x850; at < 0xC60; ++at) {
        owned[at] = 0xFF;  // names and scan bitmap
    }
    owned[0x810] = 0x03;
    owned[0x811] = 0xC3;
    owned[0x812] = 0xC4;
    for (const std::size_t at :
         {0x813U, 0x814U, 0x815U, 0x819U, 0x81AU, 0xFD2U, 0xFD3U, 0xFF0U, 0xFF1U, 0xFF2U}) {
        owned[at] = 0xFF;
    }
    for (std::size_t at = 0x840; at < 0x846; ++at) {
        owned[at] = 0xFF;
    }
    return owned;
}

}  // namespace torvan::testing_support
