#include "form/PowerGesture.h"

#include <algorithm>

namespace torvan {
namespace {

constexpr int kPage = 10;

std::uint8_t Clamped(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

std::uint8_t StepLevel(std::uint8_t value, ScrollCode code, int thumb) {
    switch (code) {
        case ScrollCode::LineLeft:
            return Clamped(value - 1);
        case ScrollCode::LineRight:
            return Clamped(value + 1);
        case ScrollCode::PageLeft:
            return Clamped(value - kPage);
        case ScrollCode::PageRight:
            return Clamped(value + kPage);
        case ScrollCode::ThumbTrack:
            return Clamped(thumb);
        case ScrollCode::ThumbPosition:
        case ScrollCode::Top:
        case ScrollCode::Bottom:
            break;
    }
    return value;
}

void LevelGesture::Reset(std::uint8_t value) {
    value_ = value;
    held_ = value;
}

void LevelGesture::Step(ScrollCode code, int thumb) {
    value_ = StepLevel(value_, code, thumb);
}

std::optional<std::uint8_t> LevelGesture::End() {
    if (value_ == held_) {
        return std::nullopt;
    }
    held_ = value_;
    return value_;
}

std::string LevelText(const std::string& label, std::uint8_t value) {
    return label + " " + std::to_string(value);
}

}  // namespace torvan
