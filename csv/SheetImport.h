#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "csv/CellChecks.h"
#include "csv/CsvText.h"
#include "form/CellTable.h"

namespace torvan::csv {

// Whether the editor's own corrections (snap, upper-case, cut) may be taken.
enum class FixPolicy { Refuse, Accept };

// One cell an import would change or cannot take.
struct SheetNote {
    int line = 0;
    std::string column;
    Verdict verdict = Verdict::Refused;
    std::string reason;
};

// What reading a channel sheet into the grid found.
struct SheetImport {
    std::string error;  // the sheet as a whole could not be read
    std::vector<SheetNote> notes;
    // How the sheet as a whole was read (numbering, units, what came from
    // the base file), one line each.
    std::vector<std::string> remarks;

    // True when the grid may be stored: the sheet was read, nothing was
    // refused and every correction is allowed by `policy`.
    bool MayStore(FixPolicy policy) const;
    void Note(int line, std::string column, const CellCheck& check);
};

// The sheet's records when it parses and has a header row naming every
// column in `required`, and none of `known` twice; otherwise nothing, with
// the reason in `result`.
std::optional<CsvText> ReadSheet(std::string_view text, const std::vector<std::string>& required,
                                 const std::vector<std::string>& known, SheetImport& result);

// The channel number a sheet cell names (1 to 128, digits only).
std::optional<int> ChannelNumber(std::string_view text);

// Empties every channel row, as an import starts from a sheet that lists all
// channels the file will hold, and gives what each row held (index 0 is
// channel 1).
std::vector<ChannelRow> ClearChannels(CellTable& grid);

// "line 5, Rx Frequency: refused: outside the file's band 136-174 MHz".
std::string NoteText(const SheetNote& note, FixPolicy policy);

// "channel 7" or "channels 1-3, 7" for channel numbers in any order.
std::string ChannelsText(std::vector<int> channels);

}  // namespace torvan::csv
