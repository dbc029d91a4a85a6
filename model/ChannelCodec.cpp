#include "model/ChannelCodec.h"

#include "model/Codecs.h"

namespace torvan {
namespace {

constexpr std::size_t kSlotSize = 16;
constexpr std::uint8_t kBusyMask = 0x06;
constexpr std::uint8_t kScanAddBit = 0x08;
constexpr std::uint8_t kWideBit = 0x10;
constexpr std::uint8_t kHighPowerBit = 0x20;

constexpr std::array<std::string_view, 4> kBusyLock = {"Off", "Carrier", "Tone", ""};
constexpr std::array<std::string_view, 4> kPttId = {"Off", "Pre-Tx", "Post-Tx", "Both"};

std::size_t SlotOffset(int channel) {
    return static_cast<std::size_t>(channel - 1) * kSlotSize;
}
std::size_t NameOffset(int channel) {
    return offset::kNames + static_cast<std::size_t>(channel - 1) * kNameLength;
}

struct ScanBit {
    std::size_t at;
    std::uint8_t mask;
};
ScanBit ScanBitOf(int channel) {
    const auto index = static_cast<unsigned>(channel - 1);
    return ScanBit{offset::kScanBitmap + index / 8U, static_cast<std::uint8_t>(1U << (index % 8U))};
}

std::string DecodeName(const MemoryImage& image, int channel) {
    std::string name;
    for (const std::uint8_t code : image.Span(NameOffset(channel), kNameLength)) {
        const auto c = NameCharOf(code);
        if (!c) {
            break;
        }
        name.push_back(*c);
    }
    return name;
}

void EncodeName(const std::string& name, MemoryImage& image, int channel) {
    auto bytes = image.Span(NameOffset(channel), kNameLength);
    for (std::size_t i = 0; i < kNameLength; ++i) {
        bytes[i] = i < name.size() ? NameCodeOf(name[i]) : 0xFF;
    }
}

void DecodeChannel(const MemoryImage& image, int channel, CellTable& grid) {
    const auto slot = image.Span(SlotOffset(channel), kSlotSize);
    const auto set = [&](int col, const std::string& text) {
        grid.SetTextMatrix(channel, col, text);
    };
    if (slot[3] == 0xFF || slot[3] == 0x00) {
        for (int col = column::kRxFrequency; col <= column::kName; ++col) {
            set(col, {});
        }
        return;
    }
    set(column::kRxFrequency, DecodeFrequency(slot.subspan<0, 4>()));
    set(column::kTxFrequency, DecodeFrequency(slot.subspan<4, 4>()));
    set(column::kRxCode, DecodeTone(slot[8], slot[9]));
    set(column::kTxCode, DecodeTone(slot[10], slot[11]));
    set(column::kBusyLock, std::string(kBusyLock[(slot[13] & kBusyMask) >> 1U]));
    set(column::kTxPower, (slot[13] & kHighPowerBit) != 0 ? "High" : "Low");
    set(column::kBandwidth, (slot[13] & kWideBit) != 0 ? "Wide" : "Narrow");
    const ScanBit scan = ScanBitOf(channel);
    set(column::kScanAdd, (image[scan.at] & scan.mask) != 0 ? "Yes" : "No");
    set(column::kPttId, std::string(kPttId[slot[12] & 0x03U]));
    set(column::kName, DecodeName(image, channel));
}

void EncodeBusyLock(const std::string& text, std::uint8_t& flags) {
    for (std::size_t value = 0; value < 3; ++value) {
        if (text == kBusyLock[value]) {
            flags = static_cast<std::uint8_t>((flags & 0xF9U) | (value << 1U));
        }
    }
}

std::uint8_t PttIdValue(const std::string& text) {
    for (std::size_t value = 1; value < kPttId.size(); ++value) {
        if (text == kPttId[value]) {
            return static_cast<std::uint8_t>(value);
        }
    }
    return 0;
}

void EncodeChannel(const CellTable& grid, int channel, MemoryImage& image) {
    const auto slot = image.Span(SlotOffset(channel), kSlotSize);
    const auto cell = [&](int col) { return grid.TextMatrix(channel, col); };
    const std::string rx = cell(column::kRxFrequency);
    if (rx.empty()) {
        std::fill(slot.begin(), slot.begin() + 8, std::uint8_t{0xFF});
        slot[13] &= 0xFE;
        return;
    }
    EncodeFrequency(rx, slot.subspan<0, 4>());
    EncodeFrequency(cell(column::kTxFrequency), slot.subspan<4, 4>());
    const ToneBytes rxTone = EncodeTone(cell(column::kRxCode));
    const ToneBytes txTone = EncodeTone(cell(column::kTxCode));
    slot[8] = rxTone.low;
    slot[9] = rxTone.type;
    slot[10] = txTone.low;
    slot[11] = txTone.type;
    EncodeBusyLock(cell(column::kBusyLock), slot[13]);
    SetBits(slot[13], kHighPowerBit, cell(column::kTxPower) == "High");
    SetBits(slot[13], kWideBit, cell(column::kBandwidth) == "Wide");
    const bool scanAdd = cell(column::kScanAdd) == "Yes";
    const ScanBit scan = ScanBitOf(channel);
    SetBits(slot[13], kScanAddBit, scanAdd);
    SetBits(image[scan.at], scan.mask, scanAdd);
    slot[12] = static_cast<std::uint8_t>((slot[12] & ~0x03U) | PttIdValue(cell(column::kPttId)));
    EncodeName(cell(column::kName), image, channel);
    slot[13] &= 0xFE;
}

}  // namespace

std::array<std::string_view, 4> ColumnChoices(int col) {
    switch (col) {
        case column::kBusyLock:
            return {"Off", "Carrier", "Tone", ""};
        case column::kTxPower:
            return {"High", "Low", "", ""};
        case column::kBandwidth:
            return {"Wide", "Narrow", "", ""};
        case column::kScanAdd:
            return {"Yes", "No", "", ""};
        case column::kPttId:
            return kPttId;
        default:
            return {};
    }
}

int ColumnChoiceCount(int col) {
    int count = 0;
    for (const auto choice : ColumnChoices(col)) {
        count += choice.empty() ? 0 : 1;
    }
    return count;
}

std::uint8_t NameCodeOf(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<std::uint8_t>(0x0A + (c - 'A'));
    }
    if (c == '-') {
        return 0x24;
    }
    return c == ' ' ? 0x25 : 0xFF;
}

std::optional<char> NameCharOf(std::uint8_t code) {
    if (code <= 0x09) {
        return static_cast<char>('0' + code);
    }
    if (code <= 0x23) {
        return static_cast<char>('A' + (code - 0x0A));
    }
    if (code == 0x24) {
        return '-';
    }
    if (code == 0x25) {
        return ' ';
    }
    return std::nullopt;
}

void DecodeChannels(const MemoryImage& image, CellTable& grid) {
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        DecodeChannel(image, channel, grid);
    }
}

void EncodeChannels(const CellTable& grid, MemoryImage& image) {
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        EncodeChannel(grid, channel, image);
    }
}

}  // namespace torvan
