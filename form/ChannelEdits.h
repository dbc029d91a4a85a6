#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "form/CellTable.h"
#include "model/FrequencyLimits.h"

namespace torvan {

// Moves a 10 Hz count down onto the 5 kHz or the 6.25 kHz raster, whichever
// is nearer below it. 0 stays 0.
std::uint32_t SnapToStep(std::uint32_t count);

// What a typed frequency commits as: scaled exactly, clamped into `limits`,
// snapped, "%3.5f"; the empty text for 0 or text that is not a number.
std::string CommittedFrequencyText(std::string_view typed, const FrequencyLimits& limits);

// Commits typed text into "Rx Frequency" (col 1) or "Tx Frequency" (col 2):
// an empty Rx text empties the row, a first Rx frequency gives the row the
// new-channel defaults, an empty row takes no Tx frequency.
void CommitFrequency(CellTable& grid, int row, int col, std::string_view typed,
                     const FrequencyLimits& limits);

// Commits a list pick or a typed name into a cell of columns 3 to 10; a row
// without a receive frequency keeps its cells empty.
void CommitChoiceCell(CellTable& grid, int row, int col, const std::string& text);

// Inserts an empty channel at `row`, moving the rows below down (the last
// row's channel is dropped); DeleteChannel moves them up and empties row 128.
void InsertChannel(CellTable& grid, int row);
void DeleteChannel(CellTable& grid, int row);

}  // namespace torvan
