#include "print/PlanPrint.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "print/PlanPages.h"

namespace torvan {

ResultOf<int> PrintPlan(const PlanText& plan, QPagedPaintDevice& device) {
    const PlanPages pages(plan, device, QSizeF(device.width(), device.height()));
    const QPageRanges ranges = device.pageRanges();
    const auto chosen = [&](int page) { return ranges.isEmpty() || ranges.contains(page); };
    int first = 1;
    while (first <= pages.Count() && !chosen(first)) {
        ++first;
    }
    if (first > pages.Count()) {
        return ResultOf<int>::Failure("None of the chosen pages is in the plan: it has " +
                                      std::to_string(pages.Count()) + " pages.");
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return ResultOf<int>::Failure("The printer did not start.");
    }
    pages.Paint(painter, first);
    for (int page = first + 1; page <= pages.Count(); ++page) {
        if (chosen(page)) {
            device.newPage();
            pages.Paint(painter, page);
        }
    }
    if (!painter.end()) {
        return ResultOf<int>::Failure("The printer stopped before the end.");
    }
    return ResultOf<int>::Success(pages.Count());
}

}  // namespace torvan
