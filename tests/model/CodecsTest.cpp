#include "model/Codecs.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace torvan {
namespace {

using Four = std::array<std::uint8_t, 4>;

struct FrequencyCase {
    const char* text;
    Four bytes;
};

class FrequencyEncodeTest : public testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyEncodeTest, StoresPackedBcdLeastSignificantFirst) {
    Four bytes{0x12, 0x34, 0x56, 0x78};
    EncodeFrequency(GetParam().text, bytes);
    EXPECT_EQ(bytes, GetParam().bytes) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FrequencyEncodeTest,
    testing::Values(FrequencyCase{"145.525", {0x00, 0x25, 0x55, 0x14}},
                    FrequencyCase{"136", {0x00, 0x00, 0x60, 0x13}},
                    FrequencyCase{"174.00000", {0x00, 0x00, 0x40, 0x17}},
                    FrequencyCase{"136.0125", {0x50, 0x12, 0x60, 0x13}},
                    FrequencyCase{"136.01375", {0x75, 0x13, 0x60, 0x13}},
                    FrequencyCase{"0.00001", {0x01, 0x00, 0x00, 0x00}},
                    FrequencyCase{"999.99999", {0x99, 0x99, 0x99, 0x99}},
                    // Nothing storable: no frequency rather than wrapped digits.
                    FrequencyCase{"", {0xFF, 0xFF, 0xFF, 0xFF}},
                    FrequencyCase{"abc", {0xFF, 0xFF, 0xFF, 0xFF}},
                    FrequencyCase{"0.000001", {0xFF, 0xFF, 0xFF, 0xFF}},
                    FrequencyCase{"-145.5", {0xFF, 0xFF, 0xFF, 0xFF}},
                    FrequencyCase{"1000", {0xFF, 0xFF, 0xFF, 0xFF}},
                    FrequencyCase{"1e300", {0xFF, 0xFF, 0xFF, 0xFF}}));

struct FrequencyDecodeCase {
    Four bytes;
    const char* text;
};

class FrequencyDecodeTest : public testing::TestWithParam<FrequencyDecodeCase> {};

TEST_P(FrequencyDecodeTest, FormatsMegahertzWithFiveDecimals) {
    EXPECT_EQ(DecodeFrequency(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Bytes, FrequencyDecodeTest,
                         testing::Values(FrequencyDecodeCase{{0x00, 0x25, 0x55, 0x14}, "145.52500"},
                                         FrequencyDecodeCase{{0x00, 0x00, 0x60, 0x13}, "136.00000"},
                                         FrequencyDecodeCase{{0x12, 0x34, 0x56, 0x00}, ""},
                                         FrequencyDecodeCase{{0x00, 0x00, 0x00, 0xFF}, ""},
                                         FrequencyDecodeCase{{0x01, 0x00, 0x00, 0x01}, "10.00001"},
                                         // Nibbles above nine are not rejected: 0x1A reads as 20.
                                         FrequencyDecodeCase{{0x00, 0x00, 0x00, 0x1A}, "200.00000"},
                                         FrequencyDecodeCase{{0xFF, 0xFF, 0xFF, 0xFE},
                                                             "1656.66665"}));

TEST(FrequencyCodec, EveryStorableCountSurvivesTextAndBack) {
    for (std::uint32_t count = 13600000; count <= 17400000; count += 625) {
        Four bytes{};
        EncodeFrequency(FormatFrequency(count), bytes);
        ASSERT_EQ(DecodeFrequency(bytes), FormatFrequency(count));
        ASSERT_EQ(FrequencyCount(DecodeFrequency(bytes)), count);
    }
}

struct ToneCase {
    const char* text;
    std::uint8_t low;
    std::uint8_t type;
    const char* decoded;  // what the stored bytes show again
};

class ToneTest : public testing::TestWithParam<ToneCase> {};

TEST_P(ToneTest, EncodesAndShowsAgain) {
    const auto& c = GetParam();
    EXPECT_EQ(EncodeTone(c.text), (ToneBytes{c.low, c.type})) << c.text;
    EXPECT_EQ(DecodeTone(c.low, c.type), c.decoded) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ToneTest,
                         testing::Values(ToneCase{"None", 0xFF, 0xFF, "None"},
                                         ToneCase{"CTCSS:67.0", 0x70, 0x06, "CTCSS:67.0"},
                                         ToneCase{"CTCSS:69.3", 0x93, 0x06, "CTCSS:69.3"},
                                         ToneCase{"CTCSS:100.0", 0x00, 0x10, "CTCSS:100.0"},
                                         ToneCase{"CTCSS:254.1", 0x41, 0x25, "CTCSS:254.1"},
                                         ToneCase{"CDCSS:023N", 0x23, 0x80, "CDCSS:023N"},
                                         ToneCase{"CDCSS:754N", 0x54, 0x87, "CDCSS:754N"},
                                         ToneCase{"CDCSS:754I", 0x54, 0xC7, "CDCSS:754I"},
                                         ToneCase{"CDCSS:114I", 0x14, 0xC1, "CDCSS:114I"},
                                         ToneCase{"CTCSS:None", 0xFF, 0xFF, "None"},
                                         ToneCase{"bogus", 0xFF, 0xFF, "None"},
                                         ToneCase{"CDCSS:", 0xFF, 0xFF, "None"},
                                         // "CTCSS" without a colon reads no number: zero tenths.
                                         ToneCase{"CTCSS", 0x00, 0x00, "None"},
                                         ToneCase{"CTCSS: 88.5 Hz", 0x85, 0x08, "CTCSS:88.5"},
                                         ToneCase{"CTCSS:-5", 0x00, 0x00, "None"},
                                         // The highest of each kind, and one past: a tone
                                         // never comes out as another kind or polarity.
                                         ToneCase{"CTCSS:799.9", 0x99, 0x79, "CTCSS:799.9"},
                                         ToneCase{"CTCSS:800.0", 0xFF, 0xFF, "None"},
                                         ToneCase{"CTCSS:866.5", 0xFF, 0xFF, "None"},
                                         ToneCase{"CDCSS:6399N", 0x99, 0xBF, "CDCSS:6399N"},
                                         ToneCase{"CDCSS:6400N", 0xFF, 0xFF, "None"},
                                         ToneCase{"CDCSS:6299I", 0x99, 0xFE, "CDCSS:6299I"},
                                         ToneCase{"CDCSS:6300I", 0xFF, 0xFF, "None"},
                                         ToneCase{"CDCSS:7954I", 0xFF, 0xFF, "None"}));

struct ToneDecodeCase {
    std::uint8_t low;
    std::uint8_t type;
    const char* text;
};

class ToneDecodeTest : public testing::TestWithParam<ToneDecodeCase> {};

TEST_P(ToneDecodeTest, ShowsStoredBytes) {
    EXPECT_EQ(DecodeTone(GetParam().low, GetParam().type), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Bytes, ToneDecodeTest,
                         testing::Values(ToneDecodeCase{0x55, 0x00, "None"},
                                         ToneDecodeCase{0x05, 0x80, "CDCSS:05N"},
                                         ToneDecodeCase{0x05, 0xC0, "CDCSS:05I"},
                                         ToneDecodeCase{0x99, 0xBF, "CDCSS:6399N"},
                                         ToneDecodeCase{0xFF, 0xFE, "CDCSS:6365I"},
                                         ToneDecodeCase{0xFF, 0x7F, "CTCSS:866.5"}));

}  // namespace
}  // namespace torvan
