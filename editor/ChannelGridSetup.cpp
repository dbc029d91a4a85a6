#include "editor/ChannelGridSetup.h"

#include <array>

#include "editor/CMSFlexGrid.h"
#include "editor/GridColumnFit.h"
#include "form/ChannelCodec.h"

namespace torvan {

namespace {

// Column widths in tenths of the default width: CH, the two frequencies, the
// two codes, the five option columns and the name.
constexpr std::array<int, CellTable::kCols> kWidthTenths = {5,  12, 12, 13, 13, 10,
                                                            10, 10, 10, 10, 12};

QString Header(int col) {
    const std::string_view text = kChannelHeaders.at(static_cast<std::size_t>(col));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void SetUpChannelGrid(CMSFlexGrid& grid) {
    grid.SetRows(CellTable::kRows);
    grid.SetCols(CellTable::kCols);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    for (int col = 0; col < CellTable::kCols; ++col) {
        grid.SetColAlignment(col, CMSFlexGrid::CellAlignment::CenterCenter);
    }
    grid.SetSelectionMode(CMSFlexGrid::GridSelection::Free);
    grid.SetWordWrap(true);
    // The default width is read before any width is set.
    const int unit = grid.ColWidth(0);
    for (int col = 0; col < CellTable::kCols; ++col) {
        grid.SetColWidth(col, unit * kWidthTenths.at(static_cast<std::size_t>(col)) / 10);
        grid.SetTextMatrix(0, col, Header(col));
    }
    for (int row = 1; row < CellTable::kRows; ++row) {
        grid.SetTextMatrix(row, 0, QString::number(row));
    }
    // A wider or narrower window shares its width out in these proportions.
    new GridColumnFit(grid);
}

}  // namespace torvan
