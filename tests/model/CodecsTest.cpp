// Number texts, the frequency and tone codecs built on them, and tone texts
// as the Tone Setting dialog reads them.
#include "model/Codecs.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "form/TonePick.h"
#include "model/Numbers.h"
#include "model/ToneLists.h"

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

using Four = std::array<std::uint8_t, 4>;

TEST(FrequencyCodec, StoresPackedBcdLeastSignificantFirst) {
    const Four none = {0xFF, 0xFF, 0xFF, 0xFF};
    // clang-format off
    const std::vector<std::pair<const char*, Four>> cases = {
        {"145.525", {0x00, 0x25, 0x55, 0x14}}, {"136", {0x00, 0x00, 0x60, 0x13}},
        {"174.00000", {0x00, 0x00, 0x40, 0x17}}, {"136.0125", {0x50, 0x12, 0x60, 0x13}},
        {"136.01375", {0x75, 0x13, 0x60, 0x13}}, {"0.00001", {0x01, 0x00, 0x00, 0x00}},
        {"999.99999", {0x99, 0x99, 0x99, 0x99}},
        // Nothing storable: no frequency rather than wrapped digits.
        {"", none}, {"abc", none}, {"0.000001", none}, {"-145.5", none}, {"1000", none},
        {"1e300", none}};
    // clang-format on
    for (const auto& [text, stored] : cases) {
        Four bytes{0x12, 0x34, 0x56, 0x78};
        EncodeFrequency(text, bytes);
        EXPECT_EQ(bytes, stored) << text;
    }
}

TEST(FrequencyCodec, ShowsMegahertzWithFiveDecimals) {
    // clang-format off
    const std::vector<std::pair<Four, const char*>> cases = {
        {{0x00, 0x25, 0x55, 0x14}, "145.52500"}, {{0x12, 0x34, 0x56, 0x00}, ""},
        {{0x00, 0x00, 0x00, 0xFF}, ""}, {{0x01, 0x00, 0x00, 0x01}, "10.00001"},
        // Nibbles above nine are not rejected: 0x1A reads as 20.
        {{0x00, 0x00, 0x00, 0x1A}, "200.00000"}, {{0xFF, 0xFF, 0xFF, 0xFE}, "1656.66665"}};
    // clang-format on
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(DecodeFrequency(bytes), text);
    }
}

// A text, the two bytes it stores, and what those bytes show.
TEST(ToneCodec, EncodesAndShowsAgain) {
    // clang-format off
    const std::vector<std::tuple<const char*, std::uint8_t, std::uint8_t, const char*>> cases = {
        {"None", 0xFF, 0xFF, "None"}, {"CTCSS:67.0", 0x70, 0x06, "CTCSS:67.0"},
        {"CTCSS:100.0", 0x00, 0x10, "CTCSS:100.0"}, {"CTCSS:254.1", 0x41, 0x25, "CTCSS:254.1"},
        {"CDCSS:023N", 0x23, 0x80, "CDCSS:023N"}, {"CDCSS:754I", 0x54, 0xC7, "CDCSS:754I"},
        {"CDCSS:114I", 0x14, 0xC1, "CDCSS:114I"}, {"CTCSS:None", 0xFF, 0xFF, "None"},
        {"bogus", 0xFF, 0xFF, "None"}, {"CDCSS:", 0xFF, 0xFF, "None"},
        // "CTCSS" without a colon reads no number: zero tenths.
        {"CTCSS", 0x00, 0x00, "None"}, {"CTCSS: 88.5 Hz", 0x85, 0x08, "CTCSS:88.5"},
        {"CTCSS:-5", 0x00, 0x00, "None"},
        // The highest of each kind, and one past: a tone never comes out as
        // another kind or polarity.
        {"CTCSS:799.9", 0x99, 0x79, "CTCSS:799.9"}, {"CTCSS:800.0", 0xFF, 0xFF, "None"},
        {"CDCSS:6399N", 0x99, 0xBF, "CDCSS:6399N"}, {"CDCSS:6400N", 0xFF, 0xFF, "None"},
        {"CDCSS:6299I", 0x99, 0xFE, "CDCSS:6299I"}, {"CDCSS:6300I", 0xFF, 0xFF, "None"},
        {"CDCSS:7954I", 0xFF, 0xFF, "None"},
        // Stored bytes only: what they show.
        {nullptr, 0x55, 0x00, "None"}, {nullptr, 0x05, 0x80, "CDCSS:05N"},
        {nullptr, 0x05, 0xC0, "CDCSS:05I"}, {nullptr, 0xFF, 0xFE, "CDCSS:6365I"},
        {nullptr, 0xFF, 0x7F, "CTCSS:866.5"}};
    // clang-format on
    for (const auto& [text, low, type, shown] : cases) {
        if (text != nullptr) {
            EXPECT_EQ(EncodeTone(text), (ToneBytes{low, type})) << text;
        }
        EXPECT_EQ(DecodeTone(low, type), shown);
    }
}

// A cell's text, the mode and value it opens with, and the list entry
// preselected (-1: none).
TEST(TonePick, ReadsModeAndPreselection) {
    // clang-format off
    const std::vector<std::tuple<const char*, ToneMode, const char*, int>> cases = {
        {"None", ToneMode::None, "", -1}, {"none", ToneMode::None, "", -1},
        {"", ToneMode::None, "", -1}, {"CTCSS:67.0", ToneMode::Ctcss, "67.0", 0},
        {"CTCSS:254.1", ToneMode::Ctcss, "254.1", 49}, {"CTCSS:68.0", ToneMode::Ctcss, "68.0", -1},
        {"CDCSS:023N", ToneMode::CdcssNormal, "023", 0},
        {"CDCSS:754I", ToneMode::CdcssInverted, "754", 104},
        {"CDCSS:05N", ToneMode::CdcssNormal, "05", -1},
        // "None" only as the whole text; a capital N elsewhere means CDCSS.
        {"CTCSS:None", ToneMode::CdcssNormal, "", -1}, {"cdcss:023n", ToneMode::None, "", -1},
        {"CTCSS", ToneMode::Ctcss, "", -1}};
    // clang-format on
    for (const auto& [text, mode, value, entry] : cases) {
        const ToneSelection selection = ParseToneSelection(text);
        EXPECT_EQ(selection.mode, mode) << text;
        EXPECT_EQ(selection.value, value) << text;
        EXPECT_EQ(FindToneEntry(selection.mode, selection.value).value_or(-1), entry) << text;
    }
}

// The radio's lists as published (50 CTCSS tones, 105 CDCSS codes): one
// mistyped entry would program a tone no other radio uses.
TEST(ToneLists, HoldTheStandardTonesAndCodes) {
    const auto joined = [](const auto& list) {
        std::string text;
        for (const std::string_view entry : list) {
            text += text.empty() ? "" : " ";
            text += entry;
        }
        return text;
    };
    // clang-format off
    EXPECT_EQ(joined(kCtcssTones), "67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 114.8 118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9 171.3 173.8 177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1 225.7 229.1 233.6 241.8 250.3 254.1");
    EXPECT_EQ(joined(kCdcssCodes), "023 025 026 031 032 036 043 047 051 053 054 065 071 072 073 074 114 115 116 122 125 131 132 134 143 145 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 251 252 255 261 263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365 371 411 412 413 423 431 432 445 446 452 454 455 462 464 465 466 503 506 516 523 526 532 546 565 606 612 624 627 631 632 645 654 662 664 703 712 723 731 732 734 743 754");
    // clang-format on
}

}  // namespace
}  // namespace torvan
