#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/MemoryImage.h"

namespace torvan {

// The side tones on transmit and receive, and a PTT ID of up to 8 DTMF
// characters.
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
// eight PTT ID bytes, zero-filled after the text.
void StoreDtmfSettings(MemoryImage& image, const DtmfSettings& settings);

}  // namespace torvan
