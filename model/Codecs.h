#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/ImageLayout.h"

namespace torvan {

// Packed BCD byte: high nibble tens, low nibble units. Nibbles above 9 are
// not rejected when reading (0x1A reads as 20).
inline unsigned BcdValue(std::uint8_t byte) {
    return (byte >> 4U) * 10U + (byte & 0x0FU);
}
inline std::uint8_t ToBcd(unsigned value) {
    return static_cast<std::uint8_t>(((value / 10U) % 10U) * 16U + value % 10U);
}

// Sets or clears the bits of `mask` in `byte`.
inline void SetBits(std::uint8_t& byte, std::uint8_t mask, bool on) {
    byte = static_cast<std::uint8_t>(on ? byte | mask : byte & ~mask);
}

// Frequency: four packed BCD bytes of 10 Hz steps, least significant first.
// Text form "%3.5f" MHz; the empty text means no frequency.
std::string DecodeFrequency(std::span<const std::uint8_t, kFrequencyLength> bytes);
void EncodeFrequency(std::string_view text, std::span<std::uint8_t, kFrequencyLength> bytes);

// A frequency text as its count of 10 Hz steps, scaled exactly as typed
// (0 for empty or non-numeric text and for values that do not fit).
std::uint32_t FrequencyCount(std::string_view text);
std::string FormatFrequency(std::uint64_t count);

// Squelch tone: low byte and type byte. Text forms "None", "CTCSS:67.0",
// "CDCSS:023N", "CDCSS:754I".
std::string DecodeTone(std::uint8_t low, std::uint8_t type);
struct ToneBytes {
    std::uint8_t low = kUnsetByte;
    std::uint8_t type = kUnsetByte;
    friend bool operator==(const ToneBytes&, const ToneBytes&) = default;
};
ToneBytes EncodeTone(std::string_view text);

}  // namespace torvan
