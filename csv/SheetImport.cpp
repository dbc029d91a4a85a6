#include "csv/SheetImport.h"

#include "csv/SheetColumns.h"
#include "model/ChannelCodec.h"

namespace torvan::csv {

std::optional<CsvText> ReadSheet(std::string_view text, const std::vector<std::string>& required,
                                 SheetImport& result) {
    CsvText sheet = ParseCsv(text);
    result.error = sheet.error;
    if (result.error.empty() && sheet.records.empty()) {
        result.error = "the sheet has no header row";
    }
    if (!result.error.empty()) {
        return std::nullopt;
    }
    const SheetColumns columns(sheet.records.front().fields);
    for (const std::string& name : required) {
        if (!columns.Find(name)) {
            result.error = "the header row has no column \"" + name + "\"";
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

void ClearChannels(CellTable& grid) {
    for (int row = 1; row <= kChannelCount; ++row) {
        for (int col = column::kRxFrequency; col <= column::kName; ++col) {
            grid.SetTextMatrix(row, col, {});
        }
    }
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

}  // namespace torvan::csv
