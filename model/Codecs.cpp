#include "model/Codecs.h"

#include <algorithm>
#include <cmath>

#include "model/Numbers.h"
#include "model/Text.h"

namespace torvan {
namespace {

constexpr std::uint32_t kMaxFrequencyCount = 99999999;  // eight BCD digits
constexpr unsigned kCtcssTenthsEnd = 8000;              // type bytes below tone::kCdcssNormal

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

unsigned LeadingDigits(std::string_view text) {
    unsigned value = 0;
    for (std::size_t i = 0; i < text.size() && i < 9 && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10U + static_cast<unsigned>(text[i] - '0');
    }
    return value;
}

// A code whose first digits do not fit its kind's range of type bytes would
// come out as another kind of tone, or as another polarity; it reads as
// "None" instead.
ToneBytes CdcssBytes(unsigned code, unsigned typeBase, unsigned typeLast) {
    const unsigned type = code / 100U + typeBase;
    if (type > typeLast) {
        return {};
    }
    return ToneBytes{ToBcd(code % 100U), static_cast<std::uint8_t>(type)};
}

std::string CdcssText(std::uint8_t low, unsigned firstDigit, char polarity) {
    const unsigned value = firstDigit * 100U + BcdValue(low);
    return std::string("CDCSS:") + (firstDigit == 0 ? "0" : "") + std::to_string(value) + polarity;
}

}  // namespace

std::string FormatFrequency(std::uint64_t count) {
    return FormatFixed(static_cast<double>(count) / 100000.0, 5);
}

std::string DecodeFrequency(std::span<const std::uint8_t, kFrequencyLength> bytes) {
    if (MarksNothing(bytes[kFrequencyTop])) {
        return {};
    }
    std::uint64_t count = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        count = count * 100U + BcdValue(bytes[i]);
    }
    return FormatFrequency(count);
}

std::uint32_t FrequencyCount(std::string_view text) {
    const double scaled = std::trunc(DecimalScale(ParseNumber(text), 100000.0));
    // Negative, non-finite and over-long values cannot be stored: no frequency.
    if (!(scaled >= 1.0 && scaled <= kMaxFrequencyCount)) {
        return 0;
    }
    return static_cast<std::uint32_t>(scaled);
}

void EncodeFrequency(std::string_view text, std::span<std::uint8_t, kFrequencyLength> bytes) {
    std::uint32_t count = FrequencyCount(text);
    if (count == 0) {
        std::fill(bytes.begin(), bytes.end(), kUnsetByte);
        return;
    }
    std::uint32_t divisor = 1000000;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        bytes[i] = ToBcd(count / divisor);
        count %= divisor;
        divisor /= 100;
    }
}

std::string DecodeTone(std::uint8_t low, std::uint8_t type) {
    if (MarksNothing(type)) {
        return "None";
    }
    if (type >= tone::kCdcssInverted) {
        return CdcssText(low, type - unsigned{tone::kCdcssInverted}, 'I');
    }
    if (type >= tone::kCdcssNormal) {
        return CdcssText(low, type - unsigned{tone::kCdcssNormal}, 'N');
    }
    const unsigned tenths = BcdValue(type) * 100U + BcdValue(low);
    return "CTCSS:" + FormatFixed(tenths / 10.0, 1);
}

ToneBytes EncodeTone(std::string_view text) {
    if (Contains(text, "None")) {
        return {};
    }
    const std::string_view rest = WordAfterColon(text);
    if (Contains(text, "CTCSS")) {
        const double scaled = std::trunc(DecimalScale(ParseNumber(rest), 10.0));
        const auto tenths = scaled > 0 && scaled < 1e9 ? static_cast<unsigned>(scaled) : 0U;
        // From 800.0 Hz up the type byte would read as a CDCSS code.
        if (tenths >= kCtcssTenthsEnd) {
            return {};
        }
        return ToneBytes{ToBcd(tenths % 100U), ToBcd(tenths / 100U)};
    }
    if (Contains(rest, "N")) {
        return CdcssBytes(LeadingDigits(rest), tone::kCdcssNormal, tone::kCdcssNormalLast);
    }
    if (Contains(rest, "I")) {
        return CdcssBytes(LeadingDigits(rest), tone::kCdcssInverted, tone::kCdcssInvertedLast);
    }
    return {};
}

}  // namespace torvan
