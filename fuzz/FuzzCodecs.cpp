// The text codecs on any text: frequencies, tones, numbers and DecimalScale.
// Every result stays within its stored form, and typed numbers are scaled
// exactly as written (checked against the C library's decimal reading).
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "form/BroadcastPresets.h"
#include "fuzz/FuzzSupport.h"
#include "model/Codecs.h"
#include "model/FrequencyLimits.h"
#include "model/Numbers.h"
#include "model/Text.h"

namespace {

using namespace torvan;

constexpr std::uint32_t kMaxCount = 99999999;  // eight BCD digits

bool IsBcd(std::uint8_t byte) {
    return (byte >> 4U) <= 9 && (byte & 0x0FU) <= 9;
}

// The exact decimal product of `value`'s first 15 digits and 10^shift, as
// the C library reads the digits with their exponent moved.
double Shifted(double value, int shift) {
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.14e", value);
    char* exponent = std::strchr(digits, 'e');
    std::snprintf(exponent, static_cast<std::size_t>(digits + sizeof digits - exponent), "e%d",
                  std::atoi(exponent + 1) + shift);
    return std::strtod(digits, nullptr);
}

std::uint64_t CountOf(const std::uint8_t* bytes) {
    std::uint64_t count = 0;
    for (std::size_t i = 4; i-- > 0;) {
        count = count * 100U + BcdValue(bytes[i]);
    }
    return count;
}

void CheckFrequency(std::string_view text) {
    const std::uint32_t count = FrequencyCount(text);
    FUZZ_CHECK(count <= kMaxCount);
    if (const double typed = ParseNumber(text); std::isfinite(typed)) {
        const double exact = std::trunc(Shifted(typed, 5));
        FUZZ_CHECK(count == (exact >= 1 && exact <= kMaxCount ? exact : 0));
    }
    std::uint8_t bytes[4] = {};
    EncodeFrequency(text, std::span<std::uint8_t, 4>(bytes));
    if (count == 0) {
        FUZZ_CHECK(bytes[0] == 0xFF && bytes[1] == 0xFF && bytes[2] == 0xFF && bytes[3] == 0xFF);
        return;
    }
    FUZZ_CHECK(std::all_of(bytes, bytes + 4, IsBcd) && CountOf(bytes) == count);
    // Below 10 MHz the top byte is 0x00, which reads as no frequency.
    const std::string shown = DecodeFrequency(std::span<const std::uint8_t, 4>(bytes));
    FUZZ_CHECK(shown == (bytes[3] == 0 ? std::string() : FormatFrequency(count)));
    FUZZ_CHECK(shown.empty() || FrequencyCount(shown) == count);
}

void CheckStoredFrequency(const std::uint8_t* bytes) {
    const std::string text = DecodeFrequency(std::span<const std::uint8_t, 4>(bytes, 4));
    const std::uint64_t count = CountOf(bytes);
    const bool none = bytes[3] == 0xFF || bytes[3] == 0x00;
    FUZZ_CHECK(text == (none ? std::string() : FormatFrequency(count)));
    FUZZ_CHECK(none || FrequencyCount(text) == (count <= kMaxCount ? count : 0));
}

bool IsNone(ToneBytes tone) {
    return tone.type == 0xFF || tone.type == 0x00;
}

// A tone text encodes as "None" or as bytes of its own kind, and what those
// bytes show encodes back to them.
void CheckTone(std::string_view text) {
    const ToneBytes tone = EncodeTone(text);
    const std::string_view rest = WordAfterColon(text);
    if (text.find("None") != std::string_view::npos) {
        FUZZ_CHECK(tone == ToneBytes{});
    } else if (text.find("CTCSS") != std::string_view::npos) {
        FUZZ_CHECK(IsNone(tone) || (tone.type <= 0x7F && IsBcd(tone.type) && IsBcd(tone.low)));
        const double typed = ParseNumber(rest);
        const double exact = std::isfinite(typed) ? std::trunc(Shifted(typed, 1)) : 0;
        if (exact >= 100 && exact < 8000) {
            const auto tenths = static_cast<unsigned>(exact);
            FUZZ_CHECK(tone == (ToneBytes{ToBcd(tenths % 100), ToBcd(tenths / 100)}));
        }
    } else if (rest.find('N') != std::string_view::npos) {
        FUZZ_CHECK(IsNone(tone) || (tone.type >= 0x80 && tone.type <= 0xBF && IsBcd(tone.low)));
    } else if (rest.find('I') != std::string_view::npos) {
        FUZZ_CHECK(IsNone(tone) || (tone.type >= 0xC0 && tone.type <= 0xFE && IsBcd(tone.low)));
    } else {
        FUZZ_CHECK(tone == ToneBytes{});
    }
    const ToneBytes again = EncodeTone(DecodeTone(tone.low, tone.type));
    FUZZ_CHECK(IsNone(tone) ? again == ToneBytes{} : again == tone);
}

void CheckStoredTone(std::uint8_t low, std::uint8_t type) {
    const std::string text = DecodeTone(low, type);
    const ToneBytes tone = EncodeTone(text);
    if (type == 0xFF || type == 0x00) {
        FUZZ_CHECK(text == "None");
    } else if (type >= 0x80) {
        // The kind and polarity a stored code shows are the ones it keeps.
        FUZZ_CHECK(IsNone(tone) || (tone.type & 0xC0U) == (type & 0xC0U));
    }
    FUZZ_CHECK(EncodeTone(DecodeTone(tone.low, tone.type)) == (IsNone(tone) ? ToneBytes{} : tone));
}

// Counts back to MHz for the frequency editor: the exact quotient, rounded once.
void CheckDownScale(std::uint32_t count) {
    const std::string decimal = std::to_string(count) + "e-5";
    double expected = 0;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), expected);
    FUZZ_CHECK(DecimalScale(static_cast<double>(count), 0.00001) == expected);
}

void CheckNumbers(std::string_view text) {
    const long long integer = ParseInteger(text);
    FUZZ_CHECK(integer >= -INT_MAX && integer <= INT_MAX);
    const double number = ParseNumber(text);
    const double scaled = DecimalScale(number, 10.0);
    FUZZ_CHECK(!std::isnan(number) && !std::isnan(scaled));
    FUZZ_CHECK(!std::isfinite(number) || number == 0 || (scaled < 0) == (number < 0));
}

// A committed preset lies in the band, with two decimals, and commits as itself.
void CheckPreset(std::string_view text) {
    const std::string committed = CommittedPresetText(text);
    const double value = ParseNumber(committed);
    FUZZ_CHECK(text.empty() ? committed.empty()
                            : value >= 76.0 && value <= 108.0 && committed.size() >= 3 &&
                                  committed.find('.') == committed.size() - 3);
    FUZZ_CHECK(CommittedPresetText(committed) == committed);
}

void CheckRange(std::string_view text) {
    if (const auto limits = LimitsFromRangeText(text)) {
        FUZZ_CHECK(limits->lower < limits->upper && limits->upper <= 99900000);
        FUZZ_CHECK(limits->lower % 100000 == 0 && limits->upper % 100000 == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    CheckFrequency(text);
    CheckTone(text);
    CheckNumbers(text);
    CheckPreset(text);
    CheckRange(text);
    if (size >= 4) {
        CheckStoredFrequency(data);
        CheckStoredTone(data[0], data[1]);
        CheckDownScale(static_cast<std::uint32_t>(CountOf(data) % (kMaxCount + 1)));
    }
    return 0;
}
