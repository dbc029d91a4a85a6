#pragma once

class QKeyEvent;

namespace torvan {

// What the frequency editor does with a key: digits, the full stop and the
// caret keys reach it, Enter ends the edit, and everything else (letters,
// Tab, Escape, Up, Down, Ctrl+V, menu accelerators) is dropped so that only
// a number can be typed.
enum class FrequencyKey {
    Pass,
    Swallow,
    Enter,
    // The keypad's decimal key of a layout that types a comma.
    DecimalPoint,
};

FrequencyKey ClassifyFrequencyKey(const QKeyEvent& event);

}  // namespace torvan
