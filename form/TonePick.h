#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace torvan {

// The Tone Setting dialog's modes, numbered as its radio buttons are.
enum class ToneMode { None = 0, CdcssNormal = 1, Ctcss = 2, CdcssInverted = 3 };

struct ToneSelection {
    ToneMode mode = ToneMode::None;
    std::string value;  // as written in the cell, e.g. "67.0" or "023"
};

// Reads a cell's tone text into the mode and value the dialog opens with.
ToneSelection ParseToneSelection(std::string_view cellText);

// The values a mode offers, in order (none for ToneMode::None).
std::span<const std::string_view> ToneEntries(ToneMode mode);

// Position of `value` in the mode's entries, ignoring letter case.
std::optional<int> FindToneEntry(ToneMode mode, std::string_view value);

// The cell text for a picked entry text `t` ("CTCSS:67.0", "CDCSS:023N", ...).
std::string ToneResultText(ToneMode mode, std::string_view t);

}  // namespace torvan
