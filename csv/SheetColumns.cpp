#include "csv/SheetColumns.h"

#include "model/Text.h"

namespace torvan::csv {

SheetColumns::SheetColumns(const std::vector<std::string>& header) {
    for (const std::string& name : header) {
        names_.push_back(TrimmedBlanks(name));
    }
}

std::optional<std::size_t> SheetColumns::Find(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (EqualNoCase(names_[i], name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t SheetColumns::Occurrences(std::string_view name) const {
    std::size_t count = 0;
    for (const std::string& column : names_) {
        count += EqualNoCase(column, name) ? 1U : 0U;
    }
    return count;
}

std::string SheetColumns::Cell(const CsvRecord& record, std::string_view name) const {
    const auto at = Find(name);
    return at && *at < record.fields.size() ? record.fields[*at] : std::string();
}

}  // namespace torvan::csv
