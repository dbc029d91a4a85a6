#include "form/ChannelEdits.h"

#include <cmath>
#include <limits>

#include "form/ChannelCodec.h"
#include "model/Numbers.h"

namespace torvan {
namespace {

constexpr std::uint32_t k5kHz = 500;
constexpr std::uint32_t k6250Hz = 625;

// The typed text in 10 Hz steps; anything too large for 32 bits reads as
// the largest count so that it clamps to the upper limit.
std::uint32_t TypedCount(std::string_view typed) {
    const double scaled = std::trunc(DecimalScale(ParseNumber(typed), 100000.0));
    if (!(scaled > 0.0)) {
        return 0;
    }
    constexpr auto kMax = std::numeric_limits<std::uint32_t>::max();
    return scaled >= static_cast<double>(kMax) ? kMax : static_cast<std::uint32_t>(scaled);
}

void CopyRow(CellTable& grid, int from, int to) {
    SetGridRow(grid, to, GridRow(grid, from));
}

}  // namespace

std::uint32_t SnapToStep(std::uint32_t count) {
    const std::uint32_t r5 = count % k5kHz;
    const std::uint32_t r6 = count % k6250Hz;
    if (r5 == 0 || r6 == 0) {
        return count;
    }
    return count - std::min(r5, r6);
}

std::string CommittedFrequencyText(std::string_view typed, const FrequencyLimits& limits) {
    std::uint32_t count = TypedCount(typed);
    if (count != 0) {
        count = std::min(count, limits.upper);
        count = std::max(count, limits.lower);
    }
    count = SnapToStep(count);
    return count == 0 ? std::string() : FormatFixed(DecimalScale(count, 0.00001), 5);
}

void CommitFrequency(CellTable& grid, int row, int col, std::string_view typed,
                     const FrequencyLimits& limits) {
    const bool wasEmpty = grid.TextMatrix(row, column::kRxFrequency).empty();
    const std::string text = CommittedFrequencyText(typed, limits);
    if (col == column::kRxFrequency) {
        if (text.empty()) {
            SetGridRow(grid, row, {});
        } else if (wasEmpty) {
            SetGridRow(grid, row, NewChannelRow(text));
        } else {
            grid.SetTextMatrix(row, col, text);
        }
    } else if (col == column::kTxFrequency) {
        grid.SetTextMatrix(row, col, wasEmpty ? std::string() : text);
    }
}

void CommitChoiceCell(CellTable& grid, int row, int col, const std::string& text) {
    const bool wasEmpty = grid.TextMatrix(row, column::kRxFrequency).empty();
    grid.SetTextMatrix(row, col, wasEmpty ? std::string() : text);
}

void InsertChannel(CellTable& grid, int row) {
    for (int j = CellTable::kRows - 1; j > row; --j) {
        CopyRow(grid, j - 1, j);
    }
    SetGridRow(grid, row, {});
}

void DeleteChannel(CellTable& grid, int row) {
    for (int i = row; i <= CellTable::kRows - 2; ++i) {
        CopyRow(grid, i + 1, i);
    }
    SetGridRow(grid, CellTable::kRows - 1, {});
}

}  // namespace torvan
