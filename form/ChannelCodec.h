#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "form/CellTable.h"
#include "model/MemoryImage.h"

namespace torvan {

inline constexpr int kChannelCount = 128;

// Columns of a channel row in the grid.
namespace column {
constexpr int kChannel = 0;
constexpr int kRxFrequency = 1;
constexpr int kTxFrequency = 2;
constexpr int kRxCode = 3;
constexpr int kTxCode = 4;
constexpr int kBusyLock = 5;
constexpr int kTxPower = 6;
constexpr int kBandwidth = 7;
constexpr int kScanAdd = 8;
constexpr int kPttId = 9;
constexpr int kName = 10;
}  // namespace column

inline constexpr std::array<std::string_view, CellTable::kCols> kChannelHeaders = {
    "CH",       "Rx Frequency", "Tx Frequency", "Rx Code", "Tx Code", "Busy Lock",
    "Tx Power", "Bandwidth",    "Scan Add",     "PTT ID",  "Name",
};

// A channel row's texts as the grid shows them, indexed by column (the
// channel number first).
using ChannelRow = std::array<std::string, CellTable::kCols>;

// The row the grid gives a channel when its first frequency is typed: both
// frequencies that one, no tones, Busy Lock off, high power, wide, scanned,
// no PTT ID, no name. A sheet's new channel starts from it too.
ChannelRow NewChannelRow(const std::string& frequency);

// A grid row's texts, Rx Frequency to Name (the CH column, the grid's own,
// stays empty), and the other way.
ChannelRow GridRow(const CellTable& grid, int row);
void SetGridRow(CellTable& grid, int row, const ChannelRow& texts);

// The texts a list column (5 to 9) offers, in order; empty for other columns.
std::array<std::string_view, 4> ColumnChoices(int col);
int ColumnChoiceCount(int col);

inline constexpr std::size_t kNameLength = offset::kNameLength;

// Channel-name characters: "0"-"9", "A"-"Z", "-" and space. Anything else
// encodes as kUnsetByte; a code without a character decodes as nothing.
std::uint8_t NameCodeOf(char c);
std::optional<char> NameCharOf(std::uint8_t code);

// Grid rows 1..128 from and into the channel slots, names and scan bitmap.
void DecodeChannels(const MemoryImage& image, CellTable& grid);
void EncodeChannels(const CellTable& grid, MemoryImage& image);

}  // namespace torvan
