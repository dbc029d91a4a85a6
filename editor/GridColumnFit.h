#pragma once

#include <QObject>
#include <vector>

namespace torvan {

class CMSFlexGrid;

// Lets the columns of a grid share its width in the proportions of the widths
// they had when the fit began: wider than those widths, every column grows;
// narrower, every column shrinks, down to a floor below which the grid
// scrolls sideways. At exactly those widths nothing changes. Owned by the grid.
class GridColumnFit final : public QObject {
public:
    explicit GridColumnFit(CMSFlexGrid& grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fit();

    CMSFlexGrid& grid_;
    std::vector<int> designPx_;
    int designTotal_ = 0;
};

}  // namespace torvan
