#pragma once

#include <string>
#include <string_view>

namespace torvan {

// Skips leading white space and reads the longest prefix that is a decimal
// number (sign, digits, point, fraction, exponent); 0 when there is none.
// Independent of the process locale.
double ParseNumber(std::string_view text);

// Reads a leading decimal integer after white space and an optional sign,
// as atoi does; 0 when there is none. Saturates instead of overflowing.
long long ParseInteger(std::string_view text);

// The exact decimal product of `value`, rounded to 15 significant digits,
// and `factor`, returned as the nearest double. Callers truncate toward zero.
double DecimalScale(double value, double factor);

// printf "%.Nf" without the locale's decimal separator.
std::string FormatFixed(double value, int decimals);

}  // namespace torvan
