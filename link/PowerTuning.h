#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "link/SerialLink.h"
#include "model/ImageLayout.h"

namespace torvan {

// The six transmit-power tuning points, in the order of their buttons.
enum class LevelPoint { LowLow, LowHigh, MiddleLow, MiddleHigh, HighLow, HighHigh };

struct LevelPointInfo {
    LevelPoint point;
    std::string_view label;    // the button caption, e.g. "Low Low"
    std::string_view cliName;  // e.g. "low-low"
    std::uint8_t queryCode;    // second byte of the level query, 'P' to 'U'
    std::uint16_t address;     // from offset::kTuning on
};

extern const std::array<LevelPointInfo, offset::kTuningCount> kLevelPoints;

const LevelPointInfo& InfoOf(LevelPoint point);

// The live tuning exchanges, on a port configured with TuningPacing. A failure
// (nullopt / false) means the radio did not answer in three handshakes or
// refused a step; the caller closes its dialog then.
std::optional<std::uint8_t> QueryLevel(SerialLink& link, LevelPoint point);
bool SendLevel(SerialLink& link, LevelPoint point, std::uint8_t value);
bool EndTuning(SerialLink& link);

}  // namespace torvan
