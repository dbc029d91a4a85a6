#include "model/FrequencyLimits.h"

#include <cctype>

namespace torvan {
namespace {

constexpr long kMaxMHz = 999;  // three BCD digits in the band signature

// Reads an integer as scanf "%d" does: blanks, optional sign, digits.
std::optional<long> ScanInt(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])) != 0) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t start = pos;
    long value = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) != 0; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > kMaxMHz) {
            return std::nullopt;
        }
    }
    if (pos == start) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<FrequencyLimits> LimitsFromRangeText(std::string_view text) {
    std::size_t pos = 0;
    const auto lower = ScanInt(text, pos);
    if (!lower || pos >= text.size() || text[pos] != '-') {
        return std::nullopt;
    }
    ++pos;
    const auto upper = ScanInt(text, pos);
    // Limits that leave no band between them would clamp or empty every frequency.
    if (!upper || *lower < 0 || *upper <= *lower) {
        return std::nullopt;
    }
    return FrequencyLimits{static_cast<std::uint32_t>(*lower) * 100000U,
                           static_cast<std::uint32_t>(*upper) * 100000U};
}

}  // namespace torvan
