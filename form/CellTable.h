#pragma once

#include <string>

namespace torvan {

// The channel grid's cells as the image codecs see them: rows 1..128 are the
// channels, row 0 the headers; columns 0..10.
class CellTable {
public:
    static constexpr int kRows = 129;
    static constexpr int kCols = 11;

    virtual ~CellTable() = default;
    virtual std::string TextMatrix(int row, int col) const = 0;
    virtual void SetTextMatrix(int row, int col, const std::string& text) = 0;
};

}  // namespace torvan
