#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "csv/CsvText.h"

namespace torvan::csv {

// A sheet's columns found by their header names (letter case and surrounding
// blanks ignored), so that columns may come in any order.
class SheetColumns {
public:
    explicit SheetColumns(const std::vector<std::string>& header);

    std::optional<std::size_t> Find(std::string_view name) const;
    // How many columns carry `name`.
    std::size_t Occurrences(std::string_view name) const;
    // The record's cell under `name`; empty when the column is missing.
    std::string Cell(const CsvRecord& record, std::string_view name) const;
    std::size_t Count() const { return names_.size(); }

private:
    std::vector<std::string> names_;
};

}  // namespace torvan::csv
