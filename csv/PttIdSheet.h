#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "csv/SheetImport.h"

namespace torvan::csv {

// A fleet's PTT IDs: a sheet with the columns "Port" and "PTT ID" (in any
// order; other columns are ignored), one radio a row.
struct PttIdEntry {
    int line = 0;
    std::string port;   // as the sheet writes it, blanks around it dropped
    std::string pttId;  // as the radio stores it: letters upper-cased
};

struct PttIdSheet {
    SheetImport read;  // why the sheet, or which of its cells, cannot be taken
    std::vector<PttIdEntry> entries;
};

// Every row that names a port; a row whose cells are all empty (what
// spreadsheets leave at the end) is skipped. An empty port, an empty PTT ID
// or one that is not up to 8 of 0-9, A-D, * and # is refused with its line
// and column.
PttIdSheet ReadPttIdSheet(std::string_view text);

}  // namespace torvan::csv
