#pragma once

namespace torvan {

class CMSFlexGrid;

// Lays out the channel grid once: 128 channel rows under a header row, the
// channel numbers in the fixed first column, and the column widths as
// multiples of the grid's default width, kept in proportion as the grid
// widens or narrows.
void SetUpChannelGrid(CMSFlexGrid& grid);

}  // namespace torvan
