#include "form/BroadcastPresets.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/Codecs.h"
#include "model/Numbers.h"

namespace torvan {
namespace {

std::span<std::uint8_t> Entry(MemoryImage& image, int preset) {
    return image.Span(offset::BroadcastPreset(preset), kBroadcastPresetSize);
}

std::span<const std::uint8_t> Entry(const MemoryImage& image, int preset) {
    return image.Span(offset::BroadcastPreset(preset), kBroadcastPresetSize);
}

// A text in 10 Hz steps, scaled as written and truncated; a value too large
// for 32 bits reads as the largest count.
std::uint32_t TextUnits(std::string_view text) {
    const double scaled = std::trunc(DecimalScale(ParseNumber(text), 100000.0));
    constexpr auto kMax = std::numeric_limits<std::uint32_t>::max();
    if (!(scaled > 0.0)) {
        return 0;
    }
    return scaled >= static_cast<double>(kMax) ? kMax : static_cast<std::uint32_t>(scaled);
}

std::string UnitsText(std::uint64_t units) {
    return FormatFixed(DecimalScale(static_cast<double>(units), 0.00001), 2);
}

}  // namespace

std::string PresetText(const MemoryImage& image, int preset) {
    const auto bytes = Entry(image, preset);
    if (MarksNothing(bytes[kFrequencyTop])) {
        return {};
    }
    std::uint64_t units = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        units = units * 100 + BcdValue(bytes[i]);
    }
    return UnitsText(units);
}

std::string CommittedPresetText(std::string_view typed) {
    if (typed.empty()) {
        return {};
    }
    return UnitsText(std::clamp(TextUnits(typed), kBroadcastLowest, kBroadcastHighest));
}

void StorePresets(MemoryImage& image, std::span<const std::string> texts) {
    const std::size_t count = std::min(texts.size(), std::size_t{kBroadcastPresetCount});
    for (std::size_t i = 0; i < count; ++i) {
        const int preset = static_cast<int>(i) + 1;
        const std::string& text = texts[i];
        if (!text.empty() && text == PresetText(image, preset)) {
            continue;
        }
        const auto bytes = Entry(image, preset);
        if (text.empty()) {
            std::fill(bytes.begin(), bytes.end(), kUnsetByte);
            continue;
        }
        std::uint32_t units = TextUnits(text);
        for (std::uint8_t& byte : bytes) {
            byte = ToBcd(units % 100U);
            units /= 100U;
        }
    }
}

}  // namespace torvan
