#include "editor/GridColumnFit.h"

#include <QEvent>
#include <QScrollBar>
#include <algorithm>
#include <numeric>

#include "editor/CMSFlexGrid.h"

namespace torvan {

namespace {

// Narrower than this share of their widths, columns stop shrinking: texts
// would be cut off.
constexpr double kFloor = 0.75;

// The pixel widths that fill `width` in the proportions of `design`, the
// rounding spread so that they add up to `width` exactly.
std::vector<int> Share(const std::vector<int>& design, int width) {
    const long long total = std::accumulate(design.begin(), design.end(), 0LL);
    std::vector<int> widths;
    long long before = 0;
    int left = 0;
    for (const int part : design) {
        before += part;
        const int right = total > 0 ? static_cast<int>((before * width + total / 2) / total) : 0;
        widths.push_back(right - left);
        left = right;
    }
    return widths;
}

}  // namespace

GridColumnFit::GridColumnFit(CMSFlexGrid& grid) : QObject(&grid), grid_(grid) {
    for (int col = 0; col < grid_.Cols(); ++col) {
        designPx_.push_back(grid_.ColWidth(col) / grid_.TwipsPerPixelX());
    }
    designTotal_ = std::accumulate(designPx_.begin(), designPx_.end(), 0);
    // From the first resize on, which comes when the grid is shown: until
    // then its size is not the one it will have, and the window takes its
    // first size from the widths as they are.
    grid_.installEventFilter(this);
}

bool GridColumnFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &grid_ && event->type() == QEvent::Resize) {
        Fit();
    }
    return QObject::eventFilter(watched, event);
}

// The room beside the vertical scroll bar, which a grid of 128 rows shows.
void GridColumnFit::Fit() {
    const int room = grid_.contentsRect().width() - grid_.verticalScrollBar()->sizeHint().width();
    const int floor = static_cast<int>(designTotal_ * kFloor);
    const std::vector<int> widths = Share(designPx_, std::max(room, floor));
    const int twips = grid_.TwipsPerPixelX();
    for (int col = 0; col < static_cast<int>(widths.size()); ++col) {
        grid_.SetColWidth(col, widths.at(static_cast<std::size_t>(col)) * twips);
    }
}

}  // namespace torvan
