#pragma once

#include <QString>

namespace torvan {

// The family the channel plan is printed in: DejaVu Sans, carried in the
// program's resources and registered on first use, so a plan is laid out
// and looks the same on every system (Windows has no DejaVu, Wine has no
// Windows fonts, a bare Linux may have neither). Needs a QGuiApplication.
QString PlanFontFamily();

}  // namespace torvan
