#pragma once

#include "model/Result.h"

class QPagedPaintDevice;

namespace torvan {

struct PlanText;

// Lays the plan out for `device`'s pages (a printer or a PDF writer) and
// draws it page after page: the pages the device's page ranges name, or all.
// The value is the plan's page count.
ResultOf<int> PrintPlan(const PlanText& plan, QPagedPaintDevice& device);

}  // namespace torvan
