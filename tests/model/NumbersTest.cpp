#include "model/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace torvan {
namespace {

// The exact decimal product: plain floating point would give 13601249 for
// 136.0125 MHz and lose a step.
TEST(DecimalScale, ScalesAsWrittenThenTruncates) {
    // clang-format off
    const std::vector<std::tuple<double, double, double>> cases = {
        {136.0125, 100000, 13601250}, {136.01375, 100000, 13601375}, {87.55, 100000, 8755000},
        {145.1234567, 100000, 14512345}, {69.3, 10, 693}, {254.1, 10, 2541},
        {13601250, 0.00001, 136.0}, {-1.5, 10, -15}, {0, 100000, 0}, {1e-20, 100000, 0}};
    // clang-format on
    for (const auto& [value, factor, truncated] : cases) {
        EXPECT_EQ(std::trunc(DecimalScale(value, factor)), truncated) << value;
    }
    EXPECT_EQ(DecimalScale(13601250, 0.00001), 136.0125);
    EXPECT_TRUE(std::isinf(DecimalScale(1e308, 100000)));
}

TEST(ParseNumber, ReadsTheLongestLeadingNumber) {
    // clang-format off
    const std::vector<std::pair<const char*, double>> cases = {
        {"145.525", 145.525}, {"  146", 146}, {"", 0}, {"abc", 0}, {".", 0}, {"-.5x", -0.5},
        {"+7", 7}, {"1e2MHz", 100}, {"1e", 1}, {"1e+", 1}, {"3.", 3}, {".25", 0.25}, {"0x10", 0},
        {"inf", 0}, {"nan", 0}, {"1e999", INFINITY}, {"1e-999", 0}};
    // clang-format on
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseNumber(text), value) << text;
    }
    EXPECT_EQ(ParseInteger(" -12x"), -12);  // integers as atoi reads them, saturated
    EXPECT_EQ(ParseInteger("Off"), 0);
    EXPECT_EQ(ParseInteger("99999999999999999999"), 2147483647);
}

}  // namespace
}  // namespace torvan
