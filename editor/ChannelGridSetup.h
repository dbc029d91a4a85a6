#pragma once

class CMSFlexGrid;

// Lays out the channel grid once: 128 channel rows under a header row, the
// channel numbers in the fixed first column, and the column widths as
// multiples of the grid's default width.
void SetUpChannelGrid(CMSFlexGrid& grid);
