#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/MemoryImage.h"

namespace torvan {

// Bit 0x01 of offset::kDtmfSideTones is the side tone on transmit, bit 0x04
// on receive; the other bits belong to other settings. The PTT ID holds up to
// 8 DTMF characters as ASCII, 0x00 after the last.
constexpr std::size_t kPttIdLength = offset::kPttIdLength;
// What a PTT ID may hold; it also ends a stored PTT ID at the first byte
// outside it.
constexpr std::string_view kDtmfCharacters = "0123456789ABCDabcd*#";

struct DtmfSettings {
    bool txSideTone = true;
    bool rxSideTone = true;
    std::string pttId;
    friend bool operator==(const DtmfSettings&, const DtmfSettings&) = default;
};

DtmfSettings ReadDtmfSettings(const MemoryImage& image);
// Sets the two side-tone bits (no other bit of their byte) and rewrites all
// eight PTT ID bytes, 0x00 after the text.
void StoreDtmfSettings(MemoryImage& image, const DtmfSettings& settings);

}  // namespace torvan
