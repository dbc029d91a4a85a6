#pragma once

#include <string>
#include <vector>

#include "form/CellTable.h"
#include "form/ChannelCodec.h"

namespace torvan::testing_support {

// A channel row's ten texts, Rx Frequency to Name.
using Row = std::vector<std::string>;

inline const Row kEmptyRow(10, "");

inline Row RowOf(const CellTable& grid, int channel) {
    Row row;
    for (int col = column::kRxFrequency; col <= column::kName; ++col) {
        row.push_back(grid.TextMatrix(channel, col));
    }
    return row;
}

inline void SetRow(CellTable& grid, int channel, const Row& row) {
    for (int col = column::kRxFrequency; col <= column::kName; ++col) {
        grid.SetTextMatrix(channel, col, row.at(static_cast<std::size_t>(col - 1)));
    }
}

}  // namespace torvan::testing_support
