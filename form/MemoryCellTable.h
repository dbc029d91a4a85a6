#pragma once

#include <array>
#include <string>

#include "form/CellTable.h"

namespace torvan {

// A CellTable held in memory, for tests and the command-line tool.
class MemoryCellTable final : public CellTable {
public:
    std::string TextMatrix(int row, int col) const override { return cells_.at(Index(row, col)); }
    void SetTextMatrix(int row, int col, const std::string& text) override {
        cells_.at(Index(row, col)) = text;
    }

private:
    static std::size_t Index(int row, int col) {
        return static_cast<std::size_t>(row) * kCols + static_cast<std::size_t>(col);
    }
    std::array<std::string, static_cast<std::size_t>(kRows* kCols)> cells_;
};

}  // namespace torvan
