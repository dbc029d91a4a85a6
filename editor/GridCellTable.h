#pragma once

#include "editor/CMSFlexGrid.h"
#include "form/CellTable.h"

namespace torvan {

// The channel grid's cells as the image codecs see them.
class GridCellTable final : public CellTable {
public:
    explicit GridCellTable(CMSFlexGrid& grid) : grid_(grid) {}

    std::string TextMatrix(int row, int col) const override {
        return grid_.TextMatrix(row, col).toStdString();
    }
    void SetTextMatrix(int row, int col, const std::string& text) override {
        grid_.SetTextMatrix(row, col, QString::fromStdString(text));
    }

private:
    CMSFlexGrid& grid_;
};

}  // namespace torvan
