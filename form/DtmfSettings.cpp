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

std::optional<std::string> PttIdFromText(std::string_view text) {
    if (text.size() > kPttIdLength || text.find_first_not_of(kDtmfCharacters) != text.npos) {
        return std::nullopt;
    }
    std::string id(text);
    for (char& c : id) {
        c = c >= 'a' && c <= 'd' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return id;
}

void StorePttId(MemoryImage& image, std::string_view pttId) {
    const auto id = image.Span(offset::kPttId, kPttIdLength);
    std::fill(id.begin(), id.end(), dtmf::kPttIdFill);
    const std::size_t length = std::min(pttId.size(), kPttIdLength);
    for (std::size_t i = 0; i < length; ++i) {
        id[i] = static_cast<std::uint8_t>(pttId[i]);
    }
}

void StoreDtmfSettings(MemoryImage& image, const DtmfSettings& settings) {
    std::uint8_t& tones = image[offset::kDtmfSideTones];
    SetBits(tones, dtmf::kTxSideToneBit, settings.txSideTone);
    SetBits(tones, dtmf::kRxSideToneBit, settings.rxSideTone);
    StorePttId(image, settings.pttId);
}

}  // namespace torvan
