#include "editor/FrequencyKey.h"

#include <QKeyEvent>

namespace torvan {

namespace {

bool IsDigitOrFullStop(int key) {
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period;
}

// The main keyboard's digits and full stop count only when typed plainly:
// with Shift they stand for other characters on many layouts.
FrequencyKey MainKeyboard(int key, Qt::KeyboardModifiers modifiers) {
    const bool plain = !(
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return IsDigitOrFullStop(key) && plain ? FrequencyKey::Pass : FrequencyKey::Swallow;
}

FrequencyKey Keypad(int key) {
    if (IsDigitOrFullStop(key)) {
        return FrequencyKey::Pass;
    }
    return key == Qt::Key_Comma ? FrequencyKey::DecimalPoint : FrequencyKey::Swallow;
}

}  // namespace

FrequencyKey ClassifyFrequencyKey(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return FrequencyKey::Enter;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
        case Qt::Key_Left:
        case Qt::Key_Right:
            return FrequencyKey::Pass;
        default:
            break;
    }
    if (event.modifiers() & Qt::KeypadModifier) {
        return Keypad(key);
    }
    return MainKeyboard(key, event.modifiers());
}

}  // namespace torvan
