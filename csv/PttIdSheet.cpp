#include "csv/PttIdSheet.h"

#include <algorithm>

#include "csv/CellChecks.h"
#include "csv/SheetColumns.h"
#include "form/DtmfSettings.h"
#include "model/Text.h"

namespace torvan::csv {
namespace {

constexpr std::string_view kPort = "Port";
constexpr std::string_view kPttIdColumn = "PTT ID";

}  // namespace

PttIdSheet ReadPttIdSheet(std::string_view text) {
    PttIdSheet sheet;
    const std::vector<std::string> columns = {std::string(kPort), std::string(kPttIdColumn)};
    const auto records = ReadSheet(text, columns, columns, sheet.read);
    if (!records) {
        return sheet;
    }
    const SheetColumns header(records->records.front().fields);
    for (auto record = records->records.begin() + 1; record != records->records.end(); ++record) {
        if (std::all_of(record->fields.begin(), record->fields.end(),
                        [](const std::string& cell) { return TrimmedBlanks(cell).empty(); })) {
            continue;
        }
        const std::string port = TrimmedBlanks(header.Cell(*record, kPort));
        const std::string cell = TrimmedBlanks(header.Cell(*record, kPttIdColumn));
        const auto id = PttIdFromText(cell);
        if (port.empty()) {
            sheet.read.Note(record->line, std::string(kPort), Refused("no port is named"));
        }
        if (cell.empty()) {
            sheet.read.Note(record->line, std::string(kPttIdColumn), Refused("no PTT ID is given"));
        } else if (!id) {
            sheet.read.Note(
                record->line, std::string(kPttIdColumn),
                Refused(Quoted(cell) + " is not a PTT ID (up to 8 of 0-9, A-D, * and #)"));
        }
        if (!port.empty() && id && !id->empty()) {
            sheet.entries.push_back({record->line, port, *id});
        }
    }
    return sheet;
}

}  // namespace torvan::csv
