#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "model/MemoryImage.h"

namespace torvan::testing_support {

// The bits DecodeImage then EncodeImage may change, per image offset; every
// other bit must come back as it was.
inline std::array<std::uint8_t, MemoryImage::kSize> OwnedBits() {
    std::array<std::uint8_t, MemoryImage::kSize> owned{};
    const auto own = [&owned](std::size_t at, std::size_t length, std::uint8_t bits) {
        std::fill_n(owned.begin() + static_cast<std::ptrdiff_t>(at), length, bits);
    };
    for (std::size_t slot = 0; slot < 128 * 16; slot += 16) {
        own(slot, 12, 0xFF);
        own(slot + 12, 1, 0x03);
        own(slot + 13, 1, 0x3F);
    }
    own(0x850, 0xC60 - 0x850, 0xFF);  // names and scan bitmap
    own(0x810, 1, 0x03);
    own(0x811, 1, 0xC3);
    own(0x812, 1, 0xC4);
    own(0x813, 3, 0xFF);
    own(0x819, 2, 0xFF);
    own(0x840, 6, 0xFF);  // password
    own(0xFD2, 2, 0xFF);  // model and range
    own(0xFF0, 3, 0xFF);  // band signature
    return owned;
}

}  // namespace torvan::testing_support
