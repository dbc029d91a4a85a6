#include "form/PowerGesture.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

namespace torvan {
namespace {

using S = ScrollCode;

// Steps stop at 0 and 255 (a nudge past the top must not mean no power);
// the end sends once, and only a value the radio does not hold yet. The
// value held, the steps (with the thumb's place), the value then, and
// whether the end sends it.
TEST(LevelGesture, StepsStopAtTheEndsAndTheEndSendsAChangeOnce) {
    const std::vector<std::tuple<int, std::vector<std::pair<ScrollCode, int>>, int, bool>> cases = {
        {0, {{S::LineLeft, 0}}, 0, false},
        {255, {{S::LineRight, 0}}, 255, false},
        {250, {{S::PageRight, 0}}, 255, true},
        {5, {{S::PageLeft, 0}}, 0, true},
        {10, {{S::LineRight, 0}, {S::LineRight, 0}, {S::LineRight, 0}}, 13, true},
        {100, {{S::ThumbTrack, 30}, {S::ThumbTrack, 300}, {S::ThumbTrack, 7}}, 7, true},
        {100, {{S::LineRight, 0}, {S::LineLeft, 0}}, 100, false},
        {100, {{S::Top, 0}, {S::Bottom, 0}, {S::ThumbPosition, 9}}, 100, false},
    };
    for (const auto& [start, steps, value, sends] : cases) {
        LevelGesture gesture;
        gesture.Reset(static_cast<std::uint8_t>(start));
        EXPECT_EQ(gesture.End(), std::nullopt) << "no step, nothing to send";
        for (const auto& [code, thumb] : steps) {
            gesture.Step(code, thumb);
        }
        const std::optional<std::uint8_t> sent =
            sends ? std::optional(static_cast<std::uint8_t>(value)) : std::nullopt;
        EXPECT_EQ(gesture.End(), sent) << start;
        EXPECT_EQ(gesture.End(), std::nullopt) << "sent once";
        EXPECT_EQ(gesture.Value(), value);
    }
}

}  // namespace
}  // namespace torvan
