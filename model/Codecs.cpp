#include "model/Codecs.h"

#include <cmath>

#include "model/Numbers.h"
#include "model/Text.h"

namespace torvan {
namespace {

constexpr std::uint32_t kMaxFrequencyCount = 99999999;  // eight BCD digits
constexpr unsigned kCtcssTenthsEnd = 8000;              // type bytes 0x01-0x79

bool HasFrequency(std::uint8_t mostSignificant) {
    return mostSignificant != 0xFF && mostSignificant != 0x00;
}

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

// A code whose first digits do not fit its kind's type bytes (0x80-0xBF
// normal, 0xC0-0xFE inverted) would come out as another kind of tone, or as
// another polarity; it reads as "None" instead.
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

std::string DecodeFrequency(std::span<const std::uint8_t, 4> bytes) {
    if (!HasFrequency(bytes[3])) {
        return {};
    }
    std::uint64_t count = 0;
    for (std::size_t i = 4; i-- > 0;) {
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

void EncodeFrequency(std::string_view text, std::span<std::uint8_t, 4> bytes) {
    std::uint32_t count = FrequencyCount(text);
    if (count == 0) {
        bytes[0] = bytes[1] = bytes[2] = bytes[3] = 0xFF;
        return;
    }
    std::uint32_t divisor = 1000000;
    for (std::size_t i = 4; i-- > 0;) {
        bytes[i] = ToBcd(count / divisor);
        count %= divisor;
        divisor /= 100;
    }
}

std::string DecodeTone(std::uint8_t low, std::uint8_t type) {
    if (type == 0xFF || type == 0x00) {
        return "None";
    }
    if (type >= 0xC0) {
        return CdcssText(low, type - 0xC0U, 'I');
    }
    if (type >= 0x80) {
        return CdcssText(low, type - 0x80U, 'N');
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
        return CdcssBytes(LeadingDigits(rest), 0x80, 0xBF);
    }
    if (Contains(rest, "I")) {
        return CdcssBytes(LeadingDigits(rest), 0xC0, 0xFE);
    }
    return {};
}

}  // namespace torvan
