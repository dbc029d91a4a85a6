#include "form/ChannelCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/MemoryCellTable.h"

namespace torvan {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes At(const MemoryImage& image, std::size_t at, std::size_t length) {
    const auto span = image.Span(at, length);
    return {span.begin(), span.end()};
}

void Put(MemoryImage& image, std::size_t at, std::initializer_list<std::uint8_t> bytes) {
    for (const auto b : bytes) {
        image[at++] = b;
    }
}

// Channel 5's slot holds a channel the user then empties: an empty row
// stores no frequencies and clears bit 0 of byte 13; the rest of its slot,
// its name and its scan bit stay.
TEST(ChannelCodec, DecodesASlotAndEncodesItBack) {
    MemoryImage image;
    Put(image, 0,
        {0x00, 0x25, 0x55, 0x14, 0x00, 0x00, 0x60, 0x14, 0x70, 0x06, 0x23, 0x80, 0x01, 0x24, 0xFF,
         0xFF});
    Put(image, 0x850, {0x0A, 0x0B, 0x25, 0x01, 0xFF, 0xFF, 0xFF, 0xFF});
    for (std::size_t i = 0; i < 16; ++i) {
        image[16 * 4 + i] = static_cast<std::uint8_t>(0x30 + i);
    }
    Put(image, 0x850 + 4 * 8, {0x01, 0x02});
    image[0xC50] = 0x11;
    MemoryCellTable grid;
    DecodeChannels(image, grid);
    EXPECT_EQ(GridRow(grid, 1),
              (ChannelRow{"", "145.52500", "146.00000", "CTCSS:67.0", "CDCSS:023N", "Tone", "High",
                          "Narrow", "Yes", "Pre-Tx", "AB 1"}));
    EXPECT_EQ(GridRow(grid, 2), ChannelRow{});
    SetGridRow(grid, 5, {});

    MemoryImage encoded = image;
    EncodeChannels(grid, encoded);
    MemoryImage expected = image;
    expected[13] = 0x2C;  // scan copy bit set by "Yes", bit 0 cleared
    for (std::size_t at = 16; at < kChannelCount * 16; at += 16) {
        Put(expected, at, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        expected[at + 13] &= 0xFE;
    }
    EXPECT_EQ(encoded, expected);
}

// Slot byte 3 alone decides whether a channel is there; a transmit frequency
// whose top byte is 0x00 or 0xFF is none.
TEST(ChannelCodec, EmptinessIsDecidedByTheTopBytes) {
    const std::vector<std::tuple<std::uint8_t, std::uint8_t, const char*, const char*>> cases = {
        {0x14, 0x14, "145.52500", "146.00000"}, {0x00, 0x14, "", ""},          {0xFF, 0x14, "", ""},
        {0x14, 0xFF, "145.52500", ""},          {0x14, 0x00, "145.52500", ""},
    };
    for (const auto& [rxTop, txTop, rx, tx] : cases) {
        MemoryImage image;
        Put(image, 0, {0x00, 0x25, 0x55, rxTop, 0x00, 0x00, 0x60, txTop});
        MemoryCellTable grid;
        DecodeChannels(image, grid);
        EXPECT_EQ(grid.TextMatrix(1, column::kRxFrequency), rx);
        EXPECT_EQ(grid.TextMatrix(1, column::kTxFrequency), tx);
    }
}

// A receive frequency that cannot be stored makes the row the empty row it
// will show after a reopen, rather than half a channel behind an empty one;
// a second save then changes nothing.
TEST(ChannelCodec, AnUnstorableReceiveFrequencyStoresTheEmptyRow) {
    // clang-format off
    const std::vector<std::tuple<const char*, std::uint8_t, const char*>> cases = {
        {"odd digits read as 1416 MHz", 0xDB, nullptr}, {"read as 1650 MHz", 0xFA, nullptr},
        {"typed below 10 MHz", 0x13, "5.5"}, {"typed 1000 MHz", 0x13, "1000"}};
    // clang-format on
    for (const auto& [name, rxTop, typed] : cases) {
        MemoryImage image;
        Put(image, 16,
            {0x50, 0x12, 0x60, rxTop, 0x50, 0x12, 0x60, 0x13, 0x54, 0xC7, 0x41, 0x25, 0x02, 0x3F,
             0xAA, 0xBB});
        MemoryCellTable grid;
        DecodeChannels(image, grid);
        if (typed != nullptr) {
            grid.SetTextMatrix(2, column::kRxFrequency, typed);
        }
        EXPECT_FALSE(grid.TextMatrix(2, column::kRxFrequency).empty()) << name;
        MemoryImage once = image;
        EncodeChannels(grid, once);
        EXPECT_EQ(At(once, 16, 8), Bytes(8, 0xFF)) << name;
        EXPECT_EQ(once[16 + 14], 0xAA) << name;  // bytes no encoder owns stay
        MemoryCellTable again;
        DecodeChannels(once, again);
        EXPECT_EQ(GridRow(again, 2), ChannelRow{}) << name;
        MemoryImage twice = once;
        EncodeChannels(again, twice);
        EXPECT_EQ(twice, once) << name;
    }
}

// Busy Lock, Tx Power, Bandwidth, Scan Add and PTT ID over old bytes 12 and 13.
TEST(ChannelCodec, FlagsSetOnlyTheBitsTheyOwn) {
    // clang-format off
    using Byte = std::uint8_t;
    const std::vector<std::tuple<std::vector<std::string>, Byte, Byte, Byte, Byte>> cases = {
        {{"Off", "Low", "Narrow", "No", "Off"}, 0xFF, 0xFF, 0xFC, 0xC0},
        {{"Carrier", "High", "Wide", "Yes", "Both"}, 0x00, 0x00, 0x03, 0x3A},
        {{"Tone", "Low", "Wide", "No", "Post-Tx"}, 0xF0, 0xC1, 0xF2, 0xD4},
        // Texts that match nothing: busy bits kept, the rest cleared.
        {{"tone", "high", "wide", "yes", "both"}, 0x03, 0x3F, 0x00, 0x06},
        {{"", "", "", "", ""}, 0x02, 0x07, 0x00, 0x06}};
    // clang-format on
    for (const auto& [cells, old12, old13, byte12, byte13] : cases) {
        MemoryImage image;
        image[12] = old12;
        image[13] = old13;
        MemoryCellTable grid;
        SetGridRow(grid, 1,
                   {"", "145.0", "", "None", "None", cells[0], cells[1], cells[2], cells[3],
                    cells[4], ""});
        EncodeChannels(grid, image);
        EXPECT_EQ(image[12], byte12) << cells[0];
        EXPECT_EQ(image[13], byte13) << cells[0];
        EXPECT_EQ((image[0xC50] & 0x01) != 0, cells[3] == "Yes") << cells[0];
    }
}

TEST(ChannelCodec, NamesUseTheNameCodeAndScanBitsTheBitmap) {
    const ChannelRow scanned = {"",    "145.0",  "",    "None", "None", "Off",
                                "Low", "Narrow", "Yes", "Off",  ""};
    MemoryCellTable grid;
    for (const int ch : {1, 8, 9, 128}) {
        SetGridRow(grid, ch, scanned);
    }
    grid.SetTextMatrix(2, column::kRxFrequency, "145.0");
    grid.SetTextMatrix(2, column::kScanAdd, "No");
    grid.SetTextMatrix(2, column::kName, "AB.CD");
    grid.SetTextMatrix(128, column::kName, "Z9- abcdefgh");
    MemoryImage image;
    image.bytes().fill(0x00);
    EncodeChannels(grid, image);
    EXPECT_EQ(At(image, 0x858, 8), (Bytes{0x0A, 0x0B, 0xFF, 0x0C, 0x0D, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(At(image, 0xC48, 8), (Bytes{0x23, 0x09, 0x24, 0x25, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(At(image, 0xC50, 2), (Bytes{0x81, 0x01}));
    EXPECT_EQ(image[0xC5F], 0x80);

    MemoryCellTable shown;
    DecodeChannels(image, shown);
    EXPECT_EQ(shown.TextMatrix(2, column::kName), "AB");
    EXPECT_EQ(shown.TextMatrix(128, column::kName), "Z9- ");
}

}  // namespace
}  // namespace torvan
