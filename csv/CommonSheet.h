#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "csv/SheetImport.h"
#include "form/CellTable.h"
#include "model/FrequencyLimits.h"

namespace torvan::csv {

// The channel layout that repeater directories and other programming tools
// exchange: columns found by name (Location, Name, Frequency, Duplex,
// Offset, Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode,
// CrossMode, Mode, Skip, Power, Comment); other columns are ignored.
// A channel whose frequency reads 1000 MHz or more (damaged digits) has no
// number the layout could carry truthfully: it is refused, not written as
// another frequency.
struct SheetExport {
    std::string text;
    std::vector<std::string> refused;  // one reason per channel, when any
};
SheetExport ExportCommonSheet(const CellTable& grid);

// Replaces every channel row of `grid` with the sheet's channels. Whatever
// the radio cannot hold (AM, a tone outside its lists, a frequency outside
// the band) is refused; names are upper-cased, cut to the radio's alphabet
// and 8 characters, and frequencies snapped, as corrections. A sheet whose
// lowest Location is 0 fills channel 1 from it; a Power in watts is Low
// below 3 W. A channel the grid already holds keeps its Busy Lock, PTT ID
// and a tone outside the lists, which the layout cannot carry. The remarks
// say how the sheet was read.
SheetImport ImportCommonSheet(std::string_view text, const FrequencyLimits& limits,
                              CellTable& grid);

}  // namespace torvan::csv
