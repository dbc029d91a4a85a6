#include "link/PowerTuning.h"

#include "model/ImageLayout.h"

namespace torvan {
namespace {

constexpr int kHandshakeAttempts = 3;
constexpr unsigned kQueryPause = 1;
constexpr unsigned kSendPause = 5;
constexpr unsigned kEndPause = 2;
constexpr unsigned kSendRetryPause = 10;
constexpr std::size_t kQueryReplyLength = 5;

// Up to three tuning handshakes; `retryPause` ms between a failed attempt and
// the next.
bool Handshake(SerialLink& link, unsigned bytePause, unsigned retryPause) {
    for (int attempt = 1; attempt <= kHandshakeAttempts; ++attempt) {
        if (link.TuningHandshake(bytePause)) {
            return true;
        }
        if (attempt < kHandshakeAttempts && retryPause > 0) {
            link.Port().Pause(retryPause);
        }
    }
    return false;
}

constexpr std::uint16_t TuningAddress(std::size_t index) {
    return static_cast<std::uint16_t>(offset::kTuning + index);
}

}  // namespace

const std::array<LevelPointInfo, offset::kTuningCount> kLevelPoints = {{
    {LevelPoint::LowLow, "Low Low", "low-low", 'P', TuningAddress(0)},
    {LevelPoint::LowHigh, "Low High", "low-high", 'Q', TuningAddress(1)},
    {LevelPoint::MiddleLow, "Middle Low", "middle-low", 'R', TuningAddress(2)},
    {LevelPoint::MiddleHigh, "Middle High", "middle-high", 'S', TuningAddress(3)},
    {LevelPoint::HighLow, "High Low", "high-low", 'T', TuningAddress(4)},
    {LevelPoint::HighHigh, "High High", "high-high", 'U', TuningAddress(5)},
}};

const LevelPointInfo& InfoOf(LevelPoint point) {
    return kLevelPoints.at(static_cast<std::size_t>(point));
}

std::optional<std::uint8_t> QueryLevel(SerialLink& link, LevelPoint point) {
    if (!Handshake(link, kQueryPause, 0)) {
        return std::nullopt;
    }
    const std::array<std::uint8_t, 2> query = {'M', InfoOf(point).queryCode};
    const std::uint8_t value = link.Exchange(query, kQueryReplyLength)[kQueryReplyLength - 1];
    const std::array<std::uint8_t, 1> ack = {SerialLink::kAck};
    link.Exchange(ack, 1);
    return value;
}

bool SendLevel(SerialLink& link, LevelPoint point, std::uint8_t value) {
    if (!Handshake(link, kSendPause, kSendRetryPause)) {
        return false;
    }
    const std::array<std::uint8_t, 2> prepare = {'M', 'a'};
    if (!SerialLink::Accepted(link.Exchange(prepare, 1)[0])) {
        return false;
    }
    const std::array<std::uint8_t, 1> data = {value};
    return SerialLink::Accepted(link.WriteBlock(InfoOf(point).address, data));
}

bool EndTuning(SerialLink& link) {
    if (!Handshake(link, kEndPause, 0)) {
        return false;
    }
    const std::array<std::uint8_t, 2> end = {'M', '`'};
    link.Exchange(end, 0);
    return true;
}

}  // namespace torvan
