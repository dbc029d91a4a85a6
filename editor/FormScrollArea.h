#pragma once

#include <QScrollArea>

namespace torvan {

// Holds the form in the main window: the window may be smaller than the form
// (a small screen), and then the form scrolls instead of being cut off.
class FormScrollArea final : public QScrollArea {
public:
    explicit FormScrollArea(QWidget* form, QWidget* parent = nullptr) : QScrollArea(parent) {
        setWidget(form);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
    }

    // The whole form, where a scroll area would otherwise offer a small default.
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget()->sizeHint() + QSize(frame, frame);
    }
};

}  // namespace torvan
