#include "csv/OwnSheet.h"

#include <set>

#include "csv/SheetColumns.h"
#include "form/ChannelCodec.h"

namespace torvan::csv {
namespace {

std::string Header(int col) {
    return std::string(kChannelHeaders[static_cast<std::size_t>(col)]);
}

CellCheck CheckCell(int col, const std::string& text, const FrequencyLimits& limits,
                    const ChannelRow& held) {
    switch (col) {
        case column::kRxFrequency:
        case column::kTxFrequency:
            return CheckFrequency(text, limits);
        case column::kRxCode:
        case column::kTxCode:
            return CheckTone(text, held);
        case column::kName:
            return CheckName(text);
        default:
            return CheckChoice(col, text);
    }
}

// Channels whose Busy Lock cell was empty: a stored busy lock without a text
// exports as an empty cell, and a hand-made sheet may leave it out.
struct EmptyBusyLocks {
    std::vector<int> kept;       // the base file's channel keeps its own
    std::vector<int> defaulted;  // a new channel takes the grid's default

    void Remark(SheetImport& result) const {
        if (!kept.empty()) {
            result.remarks.push_back("Busy Lock left empty: kept from the base file for " +
                                     ChannelsText(kept));
        }
        if (!defaulted.empty()) {
            result.remarks.push_back("Busy Lock left empty: Off, as for a new channel, for " +
                                     ChannelsText(defaulted));
        }
    }
};

// The busy lock an empty cell stands for. Left to the encoder, an empty text
// would keep whatever the slot's flags held, for a new channel a code that
// is none of Off, Carrier and Tone.
std::string EmptyBusyLock(int row, const ChannelRow& held, EmptyBusyLocks& empty) {
    if (TextOf(held, column::kRxFrequency).empty()) {
        empty.defaulted.push_back(row);
        return "Off";  // what the grid gives a new channel
    }
    empty.kept.push_back(row);
    return TextOf(held, column::kBusyLock);
}

// One sheet row into its grid row, where the base file's channel held
// `held`. A row without a receive frequency is an empty channel; whatever
// else it holds is dropped, as the grid drops it.
void ImportRow(const CsvRecord& record, const SheetColumns& columns, int row,
               const FrequencyLimits& limits, const ChannelRow& held, CellTable& grid,
               SheetImport& result, EmptyBusyLocks& empty) {
    const std::string rx = columns.Cell(record, Header(column::kRxFrequency));
    for (int col = column::kRxFrequency; col <= column::kName; ++col) {
        const std::string text = columns.Cell(record, Header(col));
        if (rx.empty()) {
            if (!text.empty()) {
                result.Note(record.line, Header(col),
                            {Verdict::Corrected, {}, "the channel has no Rx Frequency; dropped"});
            }
            continue;
        }
        if (col == column::kBusyLock && text.empty()) {
            grid.SetTextMatrix(row, col, EmptyBusyLock(row, held, empty));
            continue;
        }
        const CellCheck check = CheckCell(col, text, limits, held);
        result.Note(record.line, Header(col), check);
        if (check.verdict != Verdict::Refused) {
            grid.SetTextMatrix(row, col, check.text);
        }
    }
}

}  // namespace

std::string ExportOwnSheet(const CellTable& grid) {
    std::vector<std::string> header;
    for (int col = 0; col < CellTable::kCols; ++col) {
        header.push_back(Header(col));
    }
    std::string text = CsvLine(header);
    for (int row = 1; row <= kChannelCount; ++row) {
        if (grid.TextMatrix(row, column::kRxFrequency).empty()) {
            continue;
        }
        std::vector<std::string> cells = {std::to_string(row)};
        for (int col = column::kRxFrequency; col <= column::kName; ++col) {
            cells.push_back(grid.TextMatrix(row, col));
        }
        text += CsvLine(cells);
    }
    return text;
}

SheetImport ImportOwnSheet(std::string_view text, const FrequencyLimits& limits, CellTable& grid) {
    SheetImport result;
    std::vector<std::string> headers;
    for (int col = 0; col < CellTable::kCols; ++col) {
        headers.push_back(Header(col));
    }
    const auto read = ReadSheet(text, headers, headers, result);
    if (!read) {
        return result;
    }
    const CsvText& sheet = *read;
    const SheetColumns columns(sheet.records.front().fields);
    const std::vector<ChannelRow> held = ClearChannels(grid);
    std::set<int> seen;
    EmptyBusyLocks empty;
    for (std::size_t r = 1; r < sheet.records.size(); ++r) {
        const CsvRecord& record = sheet.records[r];
        if (record.fields.size() != columns.Count()) {
            result.notes.push_back({record.line, "row", Verdict::Refused,
                                    std::to_string(record.fields.size()) +
                                        " cells where the header has " +
                                        std::to_string(columns.Count())});
            continue;
        }
        const std::string number = columns.Cell(record, Header(column::kChannel));
        const auto channel = ChannelNumber(number);
        if (!channel || !seen.insert(*channel).second) {
            result.notes.push_back({record.line, Header(column::kChannel), Verdict::Refused,
                                    channel ? "channel " + number + " is listed twice"
                                            : "\"" + number + "\" is not a channel number 1-128"});
            continue;
        }
        ImportRow(record, columns, *channel, limits, held[static_cast<std::size_t>(*channel - 1)],
                  grid, result, empty);
    }
    empty.Remark(result);
    return result;
}

}  // namespace torvan::csv
