#pragma once

#include <cstddef>
#include <optional>
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
// The PTT ID `text` stands for, as the DTMF dialog takes it: up to 8 DTMF
// characters, letters upper-cased ("a1" is "A1"); nullopt when it is longer
// or holds any other character. An empty text is the empty PTT ID.
std::optional<std::string> PttIdFromText(std::string_view text);
// Rewrites the eight PTT ID bytes, zero-filled after the text, and no other.
void StorePttId(MemoryImage& image, std::string_view pttId);
// Sets the two side-tone bits (no other bit of their byte) and rewrites all
// eight PTT ID bytes, zero-filled after the text.
void StoreDtmfSettings(MemoryImage& image, const DtmfSettings& settings);

}  // namespace torvan
