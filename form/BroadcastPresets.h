#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/MemoryImage.h"

namespace torvan {

// The broadcast FM receiver's 32 presets: each a frequency in 10 Hz steps as
// packed BCD, least significant pair first; all bytes unset when empty.
constexpr int kBroadcastPresetCount = static_cast<int>(offset::kBroadcastPresetCount);
constexpr std::size_t kBroadcastPresetSize = offset::kBroadcastPresetSize;
// What the preset editor takes: at most 6 of these characters.
constexpr std::string_view kPresetCharacters = "0123456789.";
constexpr std::size_t kPresetTextLength = 6;
// 76.00 and 108.00 MHz in 10 Hz steps.
constexpr std::uint32_t kBroadcastLowest = 7600000;
constexpr std::uint32_t kBroadcastHighest = 10800000;

// Preset n (1-32) as the dialog shows it: MHz "%.2f", or the empty text
// when its top byte stores nothing.
std::string PresetText(const MemoryImage& image, int preset);

// What typed text commits as: the empty text stays empty; anything else is
// scaled exactly, clamped to 76.00-108.00 (text without a number is 76.00)
// and shown "%.2f".
std::string CommittedPresetText(std::string_view typed);

// Stores the dialog's texts of presets 1-32 (texts[0] is preset 1). An
// empty text unsets the preset's bytes. A text that still reads as what the
// preset holds keeps its bytes, so that digits finer than the shown 10 kHz,
// and any odd nibbles, survive a look at the table.
void StorePresets(MemoryImage& image, std::span<const std::string> texts);

}  // namespace torvan
