#include "model/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace torvan {
namespace {

struct ScaleCase {
    double value;
    double factor;
    double truncated;
};

class DecimalScaleTest : public testing::TestWithParam<ScaleCase> {};

TEST_P(DecimalScaleTest, ScalesAsWrittenThenTruncates) {
    const auto& c = GetParam();
    EXPECT_EQ(std::trunc(DecimalScale(c.value, c.factor)), c.truncated);
}

INSTANTIATE_TEST_SUITE_P(
    TypedValues, DecimalScaleTest,
    testing::Values(ScaleCase{136.0125, 100000, 13601250}, ScaleCase{136.01375, 100000, 13601375},
                    ScaleCase{87.55, 100000, 8755000}, ScaleCase{145.1234567, 100000, 14512345},
                    ScaleCase{69.3, 10, 693}, ScaleCase{254.1, 10, 2541},
                    ScaleCase{13601250, 0.00001, 136.0}, ScaleCase{-1.5, 10, -15},
                    ScaleCase{0, 100000, 0}, ScaleCase{1e-20, 100000, 0}));

TEST(DecimalScale, PlainFloatingPointWouldLoseAStep) {
    // The reason the exact product exists at all.
    EXPECT_EQ(std::trunc(136.0125 * 100000), 13601249);
    EXPECT_EQ(DecimalScale(13601250, 0.00001), 136.0125);
    EXPECT_TRUE(std::isinf(DecimalScale(1e308, 100000)));
}

struct ParseCase {
    const char* text;
    double value;
};

class ParseNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsTheLongestLeadingNumber) {
    EXPECT_EQ(ParseNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumberTest,
                         testing::Values(ParseCase{"145.525", 145.525}, ParseCase{"  146", 146},
                                         ParseCase{"", 0}, ParseCase{"abc", 0}, ParseCase{".", 0},
                                         ParseCase{"-.5x", -0.5}, ParseCase{"+7", 7},
                                         ParseCase{"1e2MHz", 100}, ParseCase{"1e", 1},
                                         ParseCase{"1e+", 1}, ParseCase{"3.", 3},
                                         ParseCase{".25", 0.25}, ParseCase{"0x10", 0},
                                         ParseCase{"inf", 0}, ParseCase{"nan", 0},
                                         ParseCase{"1e999", INFINITY}, ParseCase{"1e-999", 0}));

TEST(ParseInteger, ReadsLikeAtoiAndSaturates) {
    EXPECT_EQ(ParseInteger("300"), 300);
    EXPECT_EQ(ParseInteger("Off"), 0);
    EXPECT_EQ(ParseInteger(" -12x"), -12);
    EXPECT_EQ(ParseInteger("99999999999999999999"), 2147483647);
}

}  // namespace
}  // namespace torvan
