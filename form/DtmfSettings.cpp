#include "form/DtmfSettings.h"

#include <algorithm>
#include <cstdint>

#include "model/Codecs.h"

namespace torvan {

DtmfSettings ReadDtmfSettings(const MemoryImage& image) {
    const std::uint8_t tones = image[offset::kDtmfSideTones];
    DtmfSettings settings{
        (tones & dtmf::kTxSideToneBit) != 0, (tones & dtmf::kRxSideToneBit) != 0, {}};
    for (const std::uint8_t byte : image.Span(offset::kPttId, kPttIdLength)) {
        const char c = static_cast<char>(byte);
        if (byte == dtmf::kPttIdFill || kDtmfCharacters.find(c) == std::string_view::npos) {
            break;
        }
        settings.pttId.push_back(c);
    }
    return settings;
}

void StoreDtmfSettings(MemoryImage& image, const DtmfSettings& settings) {
    std::uint8_t& tones = image[offset::kDtmfSideTones];
    SetBits(tones, dtmf::kTxSideToneBit, settings.txSideTone);
    SetBits(tones, dtmf::kRxSideToneBit, settings.rxSideTone);
    const auto id = image.Span(offset::kPttId, kPttIdLength);
    std::fill(id.begin(), id.end(), dtmf::kPttIdFill);
    const std::size_t length = std::min(settings.pttId.size(), kPttIdLength);
    for (std::size_t i = 0; i < length; ++i) {
        id[i] = static_cast<std::uint8_t>(settings.pttId[i]);
    }
}

}  // namespace torvan
