#include "csv/JobLogText.h"

#include <optional>

#include "csv/CsvText.h"
#include "csv/SheetColumns.h"
#include "csv/SheetImport.h"
#include "model/Utf8Text.h"

namespace torvan::csv {
namespace {

// One physical line's verdict: its cells, or why it is left out.
std::optional<LogCells> LineCells(std::string_view content, bool ended,
                                  const std::vector<std::optional<std::size_t>>& at,
                                  std::size_t width, std::string& why) {
    if (!ended) {
        why = "is cut short (it has no line end)";
        return std::nullopt;
    }
    const CsvText parsed = ParseCsv(content);
    if (!parsed.error.empty() || parsed.records.size() != 1) {
        // The parser's reason without its "line N: ", which is the log's.
        const std::size_t colon = parsed.error.find(": ");
        const std::string reason = parsed.error.empty()         ? "no cells"
                                   : colon == std::string::npos ? parsed.error
                                                                : parsed.error.substr(colon + 2);
        why = "is damaged (" + reason + ")";
        return std::nullopt;
    }
    const std::vector<std::string>& fields = parsed.records.front().fields;
    if (fields.size() != width) {
        why = "has " + std::to_string(fields.size()) + " columns, not " + std::to_string(width) +
              " (cut short?)";
        return std::nullopt;
    }
    LogCells cells;
    for (std::size_t column = 0; column < kLogColumnCount; ++column) {
        cells[column] = at[column] ? fields[*at[column]] : std::string();
    }
    return cells;
}

}  // namespace

std::string LogHeader() {
    return CsvLine({kLogColumns.begin(), kLogColumns.end()});
}

std::string LogLine(const LogCells& cells) {
    std::vector<std::string> fields;
    for (const std::string& cell : cells) {
        fields.push_back(PrintableText(cell));
    }
    return CsvLine(fields);
}

LogText ReadLog(std::string_view text) {
    LogText log;
    const std::size_t headerEnd = text.find('\n');
    SheetImport header;
    const std::vector<std::string> names(kLogColumns.begin(), kLogColumns.end());
    const auto head = ReadSheet(text.substr(0, headerEnd == text.npos ? text.npos : headerEnd + 1),
                                names, names, header);
    if (!head) {
        log.error = header.error;
        return log;
    }
    const std::vector<std::string>& headerFields = head->records.front().fields;
    const SheetColumns columns(headerFields);
    std::vector<std::optional<std::size_t>> at;
    for (const std::string_view name : kLogColumns) {
        at.push_back(columns.Find(name));
    }
    std::string_view headerLine = text.substr(0, headerEnd);
    if (headerLine.starts_with("\xEF\xBB\xBF")) {
        headerLine.remove_prefix(3);
    }
    std::size_t start = headerEnd;
    for (int number = 2; start != text.npos && start + 1 < text.size(); ++number) {
        ++start;  // past the '\n'
        const std::size_t end = text.find('\n', start);
        std::string_view content = text.substr(start, end == text.npos ? text.npos : end - start);
        start = end;
        if (content.ends_with('\r')) {
            content.remove_suffix(1);
        }
        if (content.empty() || (content == headerLine.substr(0, headerLine.find('\r')))) {
            continue;
        }
        std::string why;
        if (auto cells = LineCells(content, end != text.npos, at, headerFields.size(), why)) {
            log.entries.push_back({number, std::move(*cells)});
        } else {
            log.skipped.push_back("line " + std::to_string(number) + " " + why);
        }
    }
    return log;
}

}  // namespace torvan::csv
