#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace torvan {

// What one step of the Power dialog's scroll bar did.
enum class ScrollCode {
    LineLeft,
    LineRight,
    PageLeft,
    PageRight,
    ThumbTrack,     // dragging, with the thumb's position
    ThumbPosition,  // the other codes leave the value as it is
    Top,
    Bottom,
};

// The level after one step. It stops at 0 and 255: wrapping would turn a
// nudge past the top into no power at all, and one past the bottom into
// full power.
std::uint8_t StepLevel(std::uint8_t value, ScrollCode code, int thumb);

// One gesture on the scroll bar: any number of steps (a drag, a held key or
// mouse button), then one end. The radio hears the value once, at the end,
// so a held key or a long drag costs one exchange, not one per step.
class LevelGesture {
public:
    // The value shown after a query or a successful send; no gesture runs.
    void Reset(std::uint8_t value);
    void Step(ScrollCode code, int thumb = 0);
    // The value to send when the gesture changed it; nothing else, since
    // the radio holds the value shown.
    std::optional<std::uint8_t> End();
    std::uint8_t Value() const { return value_; }

private:
    std::uint8_t value_ = 0;
    std::uint8_t held_ = 0;  // what the radio holds
};

// The display of a tuning point, e.g. "Low Low 128".
std::string LevelText(const std::string& label, std::uint8_t value);

}  // namespace torvan
