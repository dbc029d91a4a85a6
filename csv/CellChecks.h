#pragma once

#include <string>
#include <string_view>

#include "form/ChannelCodec.h"
#include "model/FrequencyLimits.h"

namespace torvan::csv {

// What the grid editor would do with a cell text: keep it, correct it (snap,
// upper-case, cut) or have no way to take it at all.
enum class Verdict { Kept, Corrected, Refused };

struct CellCheck {
    Verdict verdict = Verdict::Kept;
    std::string text;    // what the grid would hold (Kept and Corrected)
    std::string reason;  // why it was corrected or refused
};

// A row's text in column `col`.
std::string& TextOf(ChannelRow& row, int col);
const std::string& TextOf(const ChannelRow& row, int col);

// "136-174 MHz" for reports.
std::string BandText(const FrequencyLimits& limits);

// A cell that cannot be taken, and why.
CellCheck Refused(std::string reason);

// A sheet's text in a report, in double quotes.
std::string Quoted(std::string_view text);

// A frequency cell in MHz: the empty text stays empty; a number outside the
// band is refused (clamping would program another frequency); off the 5 and
// 6.25 kHz steps it is snapped as the editor snaps it.
CellCheck CheckFrequency(std::string_view text, const FrequencyLimits& limits);

// A tone cell: a listed tone as the Tone Setting dialog writes it. A tone
// outside the radio's lists is taken only when the channel already holds it
// in `held` (a radio read with such a tone exports and imports unchanged).
CellCheck CheckTone(std::string_view text, const ChannelRow& held);

// Whether `held`'s Rx Code or Tx Code is `tone`.
bool HoldsTone(const ChannelRow& held, std::string_view tone);

// A list cell of columns 5 to 9, compared as the list editor's entries.
CellCheck CheckChoice(int col, std::string_view text);

// A name as the name editor takes it: upper-cased, at most 8 characters of
// the radio's alphabet. Other characters are dropped, whole, as a
// correction: a repeater list's "Hill/North" still gives a name.
CellCheck CheckName(std::string_view text);

// Digits with at most one decimal point, nothing else.
bool IsDecimalNumber(std::string_view text);

// A count of 10 Hz steps from a whole decimal number of MHz ("145.525");
// 0 when the text is not such a number.
std::uint32_t MegahertzCount(std::string_view text);

}  // namespace torvan::csv
