#include "editor/WheelNeedsFocus.h"

#include <QEvent>
#include <QWidget>

namespace torvan {

namespace {

class WheelFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) {
            return false;
        }
        auto* control = qobject_cast<QWidget*>(watched);
        if (control == nullptr || control->hasFocus()) {
            return false;
        }
        // Handled but not accepted: the application hands it to the parent.
        event->ignore();
        return true;
    }
};

}  // namespace

void WheelNeedsFocus(QWidget& control) {
    // A wheel-focus policy would hand the control the focus before any filter runs.
    if (control.focusPolicy() == Qt::WheelFocus) {
        control.setFocusPolicy(Qt::StrongFocus);
    }
    control.installEventFilter(new WheelFilter(&control));
}

}  // namespace torvan
