#include "csv/SheetImport.h"

#include <algorithm>
#include <utility>

#include "csv/SheetColumns.h"
#include "form/ChannelCodec.h"
#include "model/Text.h"

namespace torvan::csv {

namespace {

bool IsUtf16(std::string_view text) {
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") ||
           firstLine.find('\0') != std::string_view::npos;
}

// What the header row holds, for a report that it lacks a column: a sheet
// that other programs separated by semicolons or tabs reads as one column.
std::string HeaderHint(const std::vector<std::string>& header) {
    const std::pair<char, const char*> separators[] = {{';', "semicolons"}, {'\t', "tabs"}};
    for (const auto& [separator, name] : separators) {
        if (header.size() == 1 && header[0].find(separator) != std::string::npos) {
            return "; it reads \"" + header[0] +
                   "\" as one column: columns must be separated by commas, not " + name;
        }
    }
    std::string names;
    for (const std::string& name : header) {
        names += (names.empty() ? "\"" : ", \"") + name + "\"";
    }
    return "; it holds " + names + " (separated by commas)";
}

// Lines ended by a carriage return alone (old Mac editors) would read as one
// long record whose cells run into each other.
bool EndsLinesWithCrAlone(std::string_view text) {
    return text.find('\r') != std::string_view::npos && text.find('\n') == std::string_view::npos;
}

}  // namespace

std::optional<CsvText> ReadSheet(std::string_view text, const std::vector<std::string>& required,
                                 const std::vector<std::string>& known, SheetImport& result) {
    if (IsUtf16(text)) {
        result.error = "the sheet is UTF-16 text; save it as CSV (comma-separated) in UTF-8";
        return std::nullopt;
    }
    if (EndsLinesWithCrAlone(text)) {
        result.error =
            "the sheet's lines end with a carriage return alone (old Mac line endings); "
            "save it with CRLF or LF line endings";
        return std::nullopt;
    }
    CsvText sheet = ParseCsv(text);
    result.error = sheet.error;
    if (result.error.empty() && sheet.records.empty()) {
        result.error = "the sheet has no header row";
    }
    if (!result.error.empty()) {
        return std::nullopt;
    }
    const std::vector<std::string>& header = sheet.records.front().fields;
    const SheetColumns columns(header);
    for (const std::string& name : known) {
        if (columns.Occurrences(name) > 1) {
            result.error = "the header row has the column \"" + name + "\" more than once";
            return std::nullopt;
        }
    }
    for (const std::string& name : required) {
        if (!columns.Find(name)) {
            result.error = "the header row has no column \"" + name + "\"" + HeaderHint(header);
            return std::nullopt;
        }
    }
    return sheet;
}

std::optional<int> ChannelNumber(std::string_view text) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != text.npos) {
        return std::nullopt;
    }
    const int number = std::stoi(std::string(text));
    return number >= 1 && number <= kChannelCount ? std::optional<int>(number) : std::nullopt;
}

std::vector<ChannelRow> ClearChannels(CellTable& grid) {
    std::vector<ChannelRow> held(kChannelCount);
    for (int row = 1; row <= kChannelCount; ++row) {
        held[static_cast<std::size_t>(row - 1)] = GridRow(grid, row);
        SetGridRow(grid, row, {});
    }
    return held;
}

bool SheetImport::MayStore(FixPolicy policy) const {
    if (!error.empty()) {
        return false;
    }
    for (const SheetNote& note : notes) {
        if (note.verdict == Verdict::Refused ||
            (note.verdict == Verdict::Corrected && policy == FixPolicy::Refuse)) {
            return false;
        }
    }
    return true;
}

void SheetImport::Note(int line, std::string column, const CellCheck& check) {
    if (check.verdict != Verdict::Kept) {
        notes.push_back({line, std::move(column), check.verdict, check.reason});
    }
}

std::string NoteText(const SheetNote& note, FixPolicy policy) {
    std::string what = "refused";
    if (note.verdict == Verdict::Corrected) {
        what = policy == FixPolicy::Accept ? "fixed" : "would change (--fix takes it)";
    }
    return "line " + std::to_string(note.line) + ", " + note.column + ": " + what + ": " +
           note.reason;
}

std::string ChannelsText(std::vector<int> channels) {
    std::sort(channels.begin(), channels.end());
    const std::vector<std::size_t> ascending(channels.begin(), channels.end());
    const std::string runs =
        RunsText(ascending, [](std::size_t channel) { return std::to_string(channel); });
    return (channels.size() > 1 ? "channels " : "channel ") + runs;
}

}  // namespace torvan::csv
