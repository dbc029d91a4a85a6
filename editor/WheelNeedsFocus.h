#pragma once

class QWidget;

namespace torvan {

// Makes `control` (a drop-down list, a spin box ...) take the mouse wheel only
// while it has the keyboard focus. Otherwise the wheel passes to the widgets
// beneath it, so a scrolling form scrolls instead of a setting changing under
// the pointer, and the wheel never moves the focus.
void WheelNeedsFocus(QWidget& control);

}  // namespace torvan
