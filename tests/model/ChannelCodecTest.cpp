#include "model/ChannelCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/MemoryCellTable.h"

namespace torvan {
namespace {

using Row = std::vector<std::string>;  // columns 1..10

Row RowOf(const CellTable& grid, int channel) {
    Row row;
    for (int col = column::kRxFrequency; col <= column::kName; ++col) {
        row.push_back(grid.TextMatrix(channel, col));
    }
    return row;
}

void SetRow(CellTable& grid, int channel, const Row& row) {
    for (int col = column::kRxFrequency; col <= column::kName; ++col) {
        grid.SetTextMatrix(channel, col, row.at(static_cast<std::size_t>(col - 1)));
    }
}

void Put(MemoryImage& image, std::size_t at, std::initializer_list<std::uint8_t> bytes) {
    for (const auto b : bytes) {
        image[at++] = b;
    }
}

const Row kEmpty(10, "");

TEST(ChannelCodec, DecodesAFullSlotAndEncodesItBack) {
    MemoryImage image;
    Put(image, 0,
        {0x00, 0x25, 0x55, 0x14, 0x00, 0x00, 0x60, 0x14, 0x70, 0x06, 0x23, 0x80, 0x01, 0x24, 0xFF,
         0xFF});
    Put(image, 0x850, {0x0A, 0x0B, 0x25, 0x01, 0xFF, 0xFF, 0xFF, 0xFF});
    image[0xC50] = 0x01;
    MemoryCellTable grid;
    DecodeChannels(image, grid);
    EXPECT_EQ(RowOf(grid, 1), (Row{"145.52500", "146.00000", "CTCSS:67.0", "CDCSS:023N", "Tone",
                                   "High", "Narrow", "Yes", "Pre-Tx", "AB 1"}));
    EXPECT_EQ(RowOf(grid, 2), kEmpty);

    MemoryImage encoded = image;
    EncodeChannels(grid, encoded);
    MemoryImage expected = image;
    expected[13] = 0x2C;  // scan copy bit set by "Yes", bit 0 cleared
    for (std::size_t ch = 2; ch <= kChannelCount; ++ch) {
        expected[(ch - 1) * 16 + 13] = 0xFE;  // empty slots: only bit 0 cleared
    }
    EXPECT_EQ(encoded, expected);
}

struct EmptyCase {
    std::uint8_t byte3;
    std::uint8_t byte7;
    bool rowEmpty;
    const char* tx;
};

class EmptinessTest : public testing::TestWithParam<EmptyCase> {};

TEST_P(EmptinessTest, DecidedBySlotByteThreeAlone) {
    MemoryImage image;
    Put(image, 0, {0x00, 0x25, 0x55, GetParam().byte3, 0x00, 0x00, 0x60, GetParam().byte7});
    MemoryCellTable grid;
    DecodeChannels(image, grid);
    EXPECT_EQ(grid.TextMatrix(1, column::kRxFrequency).empty(), GetParam().rowEmpty);
    EXPECT_EQ(grid.TextMatrix(1, column::kTxFrequency), GetParam().tx);
}

INSTANTIATE_TEST_SUITE_P(Bytes, EmptinessTest,
                         testing::Values(EmptyCase{0x14, 0x14, false, "146.00000"},
                                         EmptyCase{0x00, 0x14, true, ""},
                                         EmptyCase{0xFF, 0x14, true, ""},
                                         EmptyCase{0x14, 0xFF, false, ""},
                                         EmptyCase{0x14, 0x00, false, ""}));

// A receive frequency that cannot be stored makes the row the empty row it
// will show after a reopen, rather than half a channel behind an empty one;
// a second save then changes nothing.
struct UnstorableCase {
    const char* name;
    std::uint8_t rxTop;  // slot byte 3 as found in the file
    const char* typedRx;  // or a typed text, when not null
};

class UnstorableRxTest : public testing::TestWithParam<UnstorableCase> {};

TEST_P(UnstorableRxTest, StoresTheEmptyRow) {
    MemoryImage image;
    Put(image, 16, {0x50, 0x12, 0x60, GetParam().rxTop, 0x50, 0x12, 0x60, 0x13, 0x54, 0xC7, 0x41,
                    0x25, 0x02, 0x3F, 0xAA, 0xBB});
    MemoryCellTable grid;
    DecodeChannels(image, grid);
    if (GetParam().typedRx != nullptr) {
        grid.SetTextMatrix(2, column::kRxFrequency, GetParam().typedRx);
    }
    EXPECT_FALSE(grid.TextMatrix(2, column::kRxFrequency).empty());
    MemoryImage once = image;
    EncodeChannels(grid, once);
    for (std::size_t i = 16; i < 24; ++i) {
        EXPECT_EQ(once[i], 0xFF) << GetParam().name << " byte " << i;
    }
    EXPECT_EQ(once[16 + 14], 0xAA);  // bytes no encoder owns stay
    MemoryCellTable again;
    DecodeChannels(once, again);
    EXPECT_EQ(RowOf(again, 2), kEmpty);
    MemoryImage twice = once;
    EncodeChannels(again, twice);
    EXPECT_EQ(twice, once) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Frequencies, UnstorableRxTest,
    testing::Values(UnstorableCase{"odd digits read as 1416 MHz", 0xDB, nullptr},
                    UnstorableCase{"odd digits read as 1650 MHz", 0xFF - 0x05, nullptr},
                    UnstorableCase{"typed below 10 MHz", 0x13, "5.5"},
                    UnstorableCase{"typed 1000 MHz", 0x13, "1000"}));

TEST(ChannelCodec, EmptyRowKeepsEverythingButFrequenciesAndBitZero) {
    MemoryImage image;
    for (std::size_t i = 0; i < 16; ++i) {
        image[16 * 4 + i] = static_cast<std::uint8_t>(0x30 + i);  // channel 5
    }
    Put(image, 0x850 + 4 * 8, {0x01, 0x02});
    image[0xC50] = 0x10;
    MemoryCellTable grid;  // every row empty, channel 5's slot not
    MemoryImage encoded = image;
    EncodeChannels(grid, encoded);
    MemoryImage expected = image;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const auto at = static_cast<std::size_t>(ch - 1) * 16;
        for (std::size_t i = 0; i < 8; ++i) {
            expected[at + i] = 0xFF;
        }
        expected[at + 13] &= 0xFE;
    }
    EXPECT_EQ(encoded[16 * 4 + 13], 0x3C);
    EXPECT_EQ(encoded, expected);
}

struct FlagCase {
    const char* busy;
    const char* power;
    const char* bandwidth;
    const char* scan;
    const char* ptt;
    std::uint8_t oldByte12;
    std::uint8_t oldByte13;
    std::uint8_t byte12;
    std::uint8_t byte13;
};

class FlagEncodeTest : public testing::TestWithParam<FlagCase> {};

TEST_P(FlagEncodeTest, SetsOnlyTheBitsItOwns) {
    const auto& c = GetParam();
    MemoryImage image;
    image[12] = c.oldByte12;
    image[13] = c.oldByte13;
    MemoryCellTable grid;
    SetRow(grid, 1, {"145.0", "", "None", "None", c.busy, c.power, c.bandwidth, c.scan, c.ptt, ""});
    EncodeChannels(grid, image);
    EXPECT_EQ(image[12], c.byte12);
    EXPECT_EQ(image[13], c.byte13);
    EXPECT_EQ((image[0xC50] & 0x01) != 0, std::string(c.scan) == "Yes");
}

INSTANTIATE_TEST_SUITE_P(
    Cells, FlagEncodeTest,
    testing::Values(FlagCase{"Off", "Low", "Narrow", "No", "Off", 0xFF, 0xFF, 0xFC, 0xC0},
                    FlagCase{"Carrier", "High", "Wide", "Yes", "Both", 0x00, 0x00, 0x03, 0x3A},
                    FlagCase{"Tone", "Low", "Wide", "No", "Post-Tx", 0xF0, 0xC1, 0xF2, 0xD4},
                    // Texts that match nothing: busy bits kept, the rest cleared.
                    FlagCase{"tone", "high", "wide", "yes", "both", 0x03, 0x3F, 0x00, 0x06},
                    FlagCase{"", "", "", "", "", 0x02, 0x07, 0x00, 0x06}));

TEST(ChannelCodec, NamesUseTheNameCode) {
    MemoryCellTable grid;
    SetRow(grid, 2, {"145.0", "", "None", "None", "Off", "Low", "Narrow", "No", "Off", "AB.CD"});
    SetRow(grid, 128,
           {"145.0", "", "None", "None", "Off", "Low", "Narrow", "Yes", "Off", "Z9- abcdefgh"});
    MemoryImage image;
    EncodeChannels(grid, image);
    const std::vector<std::uint8_t> ch2(image.bytes().begin() + 0x858,
                                        image.bytes().begin() + 0x860);
    EXPECT_EQ(ch2, (std::vector<std::uint8_t>{0x0A, 0x0B, 0xFF, 0x0C, 0x0D, 0xFF, 0xFF, 0xFF}));
    const std::vector<std::uint8_t> ch128(image.bytes().begin() + 0xC48,
                                          image.bytes().begin() + 0xC50);
    EXPECT_EQ(ch128, (std::vector<std::uint8_t>{0x23, 0x09, 0x24, 0x25, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(image[0xC5F], 0xFF);
    EXPECT_EQ(image[0xC50], 0xFD);  // channel 2's "No"; empty channel 1 keeps its bit

    MemoryCellTable shown;
    DecodeChannels(image, shown);
    EXPECT_EQ(shown.TextMatrix(2, column::kName), "AB");
    EXPECT_EQ(shown.TextMatrix(128, column::kName), "Z9- ");
}

TEST(ChannelCodec, ScanBitsMapChannelsToBitmapBits) {
    MemoryCellTable grid;
    for (const int ch : {1, 8, 9, 128}) {
        SetRow(grid, ch, {"145.0", "", "None", "None", "Off", "Low", "Narrow", "Yes", "Off", ""});
    }
    MemoryImage image;
    image.bytes().fill(0x00);
    EncodeChannels(grid, image);
    EXPECT_EQ(image[0xC50], 0x81);
    EXPECT_EQ(image[0xC51], 0x01);
    EXPECT_EQ(image[0xC5F], 0x80);
}

TEST(NameCode, EveryCharacterRoundTrips) {
    for (int code = 0; code <= 0xFF; ++code) {
        const auto c = NameCharOf(static_cast<std::uint8_t>(code));
        EXPECT_EQ(c.has_value(), code <= 0x25) << code;
        if (c) {
            EXPECT_EQ(NameCodeOf(*c), code);
        }
    }
    EXPECT_EQ(NameCodeOf('a'), 0xFF);
    EXPECT_EQ(NameCodeOf('.'), 0xFF);
}

}  // namespace
}  // namespace torvan
