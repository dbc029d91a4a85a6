#include "link/PowerGesture.h"

namespace torvan {
namespace {

constexpr int kPage = 10;

}  // namespace

std::uint8_t StepLevel(std::uint8_t value, ScrollCode code, int thumb) {
    switch (code) {
        case ScrollCode::LineLeft:
            return static_cast<std::uint8_t>(value - 1);
        case ScrollCode::LineRight:
            return static_cast<std::uint8_t>(value + 1);
        case ScrollCode::PageLeft:
            return static_cast<std::uint8_t>(value - kPage);
        case ScrollCode::PageRight:
            return static_cast<std::uint8_t>(value + kPage);
        case ScrollCode::ThumbTrack:
            return static_cast<std::uint8_t>(thumb);
        case ScrollCode::ThumbPosition:
        case ScrollCode::Top:
        case ScrollCode::Bottom:
            break;
    }
    return value;
}

void LevelGesture::Reset(std::uint8_t value) {
    value_ = value;
    stepped_ = false;
}

void LevelGesture::Step(ScrollCode code, int thumb) {
    value_ = StepLevel(value_, code, thumb);
    stepped_ = true;
}

std::optional<std::uint8_t> LevelGesture::End() {
    if (!stepped_) {
        return std::nullopt;
    }
    stepped_ = false;
    return value_;
}

std::string LevelText(const std::string& label, std::uint8_t value) {
    return label + " " + std::to_string(value);
}

}  // namespace torvan
