#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace torvan {

// The lower and upper frequency the channel grid accepts, in 10 Hz steps.
struct FrequencyLimits {
    std::uint32_t lower = 13600000;
    std::uint32_t upper = 17400000;
    friend bool operator==(const FrequencyLimits&, const FrequencyLimits&) = default;
};

// Reads "%d-%d" (MHz) at the start of a range text such as "136-174MHz".
// Texts that do not begin with two whole numbers joined by a hyphen, whose
// numbers are outside 0..999 MHz, or whose lower limit is not below the upper
// give nothing, so the limits stay as they were.
std::optional<FrequencyLimits> LimitsFromRangeText(std::string_view text);

}  // namespace torvan
