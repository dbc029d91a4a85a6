#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torvan::csv {

// One record of a comma-separated text and the line it starts on (1-based),
// so that a report can point at it.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

struct CsvText {
    std::vector<CsvRecord> records;
    std::string error;  // empty when the whole text was read
};

// Reads RFC 4180 text: fields quoted with '"' may hold commas, line breaks
// and doubled quotes; records end with CRLF or LF; a leading UTF-8
// byte-order mark is skipped and blank lines are dropped.
CsvText ParseCsv(std::string_view text);

// One record as RFC 4180 writes it, quoting only fields that need it, ended
// with CRLF.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace torvan::csv
