#pragma once

#include <string>
#include <string_view>

#include "csv/SheetImport.h"
#include "form/CellTable.h"
#include "model/FrequencyLimits.h"

namespace torvan::csv {

// This program's channel sheet: a header row ("CH" and the grid's ten column
// headers), then one row per channel that has a receive frequency, each cell
// as the grid shows it.
std::string ExportOwnSheet(const CellTable& grid);

// Replaces every channel row of `grid` with the sheet's channels, each cell
// checked as the grid's editors would take it; a tone outside the radio's
// lists only where the grid's channel already holds it (CheckTone). An empty
// Busy Lock cell keeps the grid's channel's own, or gives a new channel Off;
// the remarks name those channels. Channels the sheet does not list are left
// empty. The grid holds the corrected texts; the caller stores it only when
// the result allows.
SheetImport ImportOwnSheet(std::string_view text, const FrequencyLimits& limits, CellTable& grid);

}  // namespace torvan::csv
