#include "model/Numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace torvan {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i;
}

// Length of the longest decimal number at the start of `text`, 0 if none.
std::size_t NumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::size_t intStart = i;
    i = SkipDigits(text, i);
    std::size_t digits = i - intStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracEnd = SkipDigits(text, i + 1);
        digits += fracEnd - (i + 1);
        i = fracEnd;
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        const std::size_t expEnd = SkipDigits(text, j);
        if (expEnd > j) {
            i = expEnd;
        }
    }
    return i;
}

// Decimal order of magnitude of a well-formed number text: positive when
// its value is at least 1.
long long MagnitudeOrder(std::string_view text) {
    const std::size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    const long long exponent = e == std::string_view::npos ? 0 : ParseInteger(text.substr(e + 1));
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return std::numeric_limits<int>::min();
    }
    const auto pointAt = static_cast<long long>(point);
    const auto firstAt = static_cast<long long>(first);
    return (firstAt < pointAt ? pointAt - firstAt : pointAt - firstAt + 1) + exponent;
}

double FromChars(std::string_view text) {
    // from_chars rejects a leading '+'.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow reads as infinity and underflow as zero, as strtod gives.
        const bool negative = !text.empty() && text.front() == '-';
        const double magnitude =
            MagnitudeOrder(text) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -magnitude : magnitude;
    }
    return value;
}

// A decimal number as digits (most significant first) times 10^exponent:
// 15 significant digits, or 30 for a product. Held in place: the encoder
// scales every frequency and tone of all 128 channels.
struct Decimal {
    bool negative = false;
    std::array<int, 30> digits{};
    std::size_t count = 0;
    int exponent = 0;
};

// Rounds to 15 significant digits as printf's "%.14e" does.
Decimal ToDecimal15(double value) {
    char buffer[64];
    *std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::scientific, 14)
         .ptr = '\0';  // d.dddddddddddddde±x
    Decimal d;
    const char* p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (IsDigit(*p)) {
            d.digits[d.count++] = *p - '0';
        }
    }
    d.exponent = std::atoi(p + 1) - 14;
    // Trailing zeros only slow the product down (factors are powers of ten).
    while (d.count > 1 && d.digits[d.count - 1] == 0) {
        --d.count;
        ++d.exponent;
    }
    return d;
}

Decimal Multiply(const Decimal& a, const Decimal& b) {
    Decimal product{a.negative != b.negative, {}, a.count + b.count, a.exponent + b.exponent};
    for (std::size_t i = a.count; i-- > 0;) {
        for (std::size_t j = b.count; j-- > 0;) {
            product.digits[i + j + 1] += a.digits[i] * b.digits[j];
        }
    }
    for (std::size_t k = product.count; k-- > 1;) {
        product.digits[k - 1] += product.digits[k] / 10;
        product.digits[k] %= 10;
    }
    return product;
}

double ToDouble(const Decimal& d) {
    char text[48];
    char* end = text;
    if (d.negative) {
        *end++ = '-';
    }
    for (std::size_t i = 0; i < d.count; ++i) {
        *end++ = static_cast<char>('0' + d.digits[i]);
    }
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, d.exponent).ptr;
    return FromChars(std::string_view(text, static_cast<std::size_t>(end - text)));
}

}  // namespace

double ParseNumber(std::string_view text) {
    text.remove_prefix(SkipSpace(text));
    const std::size_t length = NumberLength(text);
    return length == 0 ? 0.0 : FromChars(text.substr(0, length));
}

long long ParseInteger(std::string_view text) {
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr long long kMax = std::numeric_limits<int>::max();
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min(kMax, value * 10 + (text[i] - '0'));
    }
    return negative ? -value : value;
}

double DecimalScale(double value, double factor) {
    if (!std::isfinite(value) || !std::isfinite(factor) || value == 0.0 || factor == 0.0) {
        return std::isfinite(value) && std::isfinite(factor) ? 0.0 : value * factor;
    }
    return ToDouble(Multiply(ToDecimal15(value), ToDecimal15(factor)));
}

std::string FormatFixed(double value, int decimals) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

}  // namespace torvan
