#include "csv/CsvText.h"

namespace torvan::csv {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(const CsvRecord& record) {
    return record.fields.size() == 1 && record.fields[0].empty();
}

}  // namespace

CsvText ParseCsv(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    CsvText result;
    CsvRecord record{1, {std::string()}};
    int line = 1;
    bool quoted = false;
    bool fieldWasQuoted = false;
    const auto endRecord = [&](int nextLine) {
        if (!IsBlank(record)) {
            result.records.push_back(std::move(record));
        }
        record = CsvRecord{nextLine, {std::string()}};
        fieldWasQuoted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = record.fields.back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n' ? 1 : 0;
                field.push_back(c);
            }
        } else if (c == '"' && field.empty() && !fieldWasQuoted) {
            quoted = true;
            fieldWasQuoted = true;
        } else if (c == ',') {
            record.fields.emplace_back();
            fieldWasQuoted = false;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            i += c == '\r' ? 1 : 0;
            ++line;
            endRecord(line);
        } else if (fieldWasQuoted) {
            result.error = "line " + std::to_string(line) + ": text after a closing quote";
            return result;
        } else {
            field.push_back(c);
        }
    }
    if (quoted) {
        result.error = "line " + std::to_string(record.line) + ": a quoted field is not closed";
        return result;
    }
    endRecord(line);
    return result;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        if (i > 0) {
            line += ',';
        }
        if (field.find_first_of(",\"\r\n") == std::string::npos &&
            (field.empty() || (field.front() != ' ' && field.back() != ' '))) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field) {
            line += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        line += '"';
    }
    return line + "\r\n";
}

}  // namespace torvan::csv
