#include "form/ChannelCodec.h"

#include <algorithm>
#include <array>

#include "model/Codecs.h"

namespace torvan {
namespace {

constexpr std::array<std::string_view, 4> kBusyLock = {"Off", "Carrier", "Tone", ""};
constexpr std::array<std::string_view, 4> kPttId = {"Off", "Pre-Tx", "Post-Tx", "Both"};

std::string DecodeName(const MemoryImage& image, int channel) {
    std::string name;
    for (const std::uint8_t code : image.Span(offset::ChannelName(channel), kNameLength)) {
        const auto c = NameCharOf(code);
        if (!c) {
            break;
        }
        name.push_back(*c);
    }
    return name;
}

void EncodeName(const std::string& name, MemoryImage& image, int channel) {
    auto bytes = image.Span(offset::ChannelName(channel), kNameLength);
    for (std::size_t i = 0; i < kNameLength; ++i) {
        bytes[i] = i < name.size() ? NameCodeOf(name[i]) : kUnsetByte;
    }
}

void DecodeChannel(const MemoryImage& image, int channel, CellTable& grid) {
    const auto slot = image.Span(offset::ChannelSlot(channel), offset::kSlotSize);
    const auto set = [&](int col, const std::string& text) {
        grid.SetTextMatrix(channel, col, text);
    };
    if (MarksNothing(slot[slot::kRxFrequencyTop])) {
        SetGridRow(grid, channel, {});
        return;
    }
    set(column::kRxFrequency,
        DecodeFrequency(slot.subspan<slot::kRxFrequency, kFrequencyLength>()));
    set(column::kTxFrequency,
        DecodeFrequency(slot.subspan<slot::kTxFrequency, kFrequencyLength>()));
    set(column::kRxCode, DecodeTone(slot[slot::kRxTone], slot[slot::kRxTone + kToneType]));
    set(column::kTxCode, DecodeTone(slot[slot::kTxTone], slot[slot::kTxTone + kToneType]));
    set(column::kBusyLock,
        std::string(kBusyLock[(slot[slot::kFlags] & slot::kBusyLockMask) >> slot::kBusyLockShift]));
    set(column::kTxPower, (slot[slot::kFlags] & slot::kHighPowerBit) != 0 ? "High" : "Low");
    set(column::kBandwidth, (slot[slot::kFlags] & slot::kWideBit) != 0 ? "Wide" : "Narrow");
    const ScanBit scan = ScanBitOf(channel);
    set(column::kScanAdd, (image[scan.at] & scan.mask) != 0 ? "Yes" : "No");
    set(column::kPttId, std::string(kPttId[slot[slot::kOptions] & slot::kPttIdMask]));
    set(column::kName, DecodeName(image, channel));
}

void EncodeBusyLock(const std::string& text, std::uint8_t& flags) {
    for (std::size_t value = 0; value < 3; ++value) {
        if (text == kBusyLock[value]) {
            flags = static_cast<std::uint8_t>((flags & ~unsigned{slot::kBusyLockMask}) |
                                              static_cast<unsigned>(value << slot::kBusyLockShift));
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
    const auto slot = image.Span(offset::ChannelSlot(channel), offset::kSlotSize);
    const auto cell = [&](int col) { return grid.TextMatrix(channel, col); };
    // A receive frequency that cannot be stored (a stored one whose odd
    // digits read as 1000 MHz or more, or one below 10 MHz) would leave the
    // slot reading as empty with the rest of the row still in it; the row is
    // stored as the empty row it will show.
    std::array<std::uint8_t, kFrequencyLength> rx{};
    EncodeFrequency(cell(column::kRxFrequency), rx);
    if (MarksNothing(rx[kFrequencyTop])) {
        std::fill_n(slot.begin() + slot::kRxFrequency, kFrequencyLength, kUnsetByte);
        std::fill_n(slot.begin() + slot::kTxFrequency, kFrequencyLength, kUnsetByte);
        slot[slot::kFlags] &= static_cast<std::uint8_t>(~slot::kClearedOnEncode);
        return;
    }
    std::copy(rx.begin(), rx.end(), slot.begin() + slot::kRxFrequency);
    EncodeFrequency(cell(column::kTxFrequency),
                    slot.subspan<slot::kTxFrequency, kFrequencyLength>());
    const ToneBytes rxTone = EncodeTone(cell(column::kRxCode));
    const ToneBytes txTone = EncodeTone(cell(column::kTxCode));
    slot[slot::kRxTone] = rxTone.low;
    slot[slot::kRxTone + kToneType] = rxTone.type;
    slot[slot::kTxTone] = txTone.low;
    slot[slot::kTxTone + kToneType] = txTone.type;
    std::uint8_t& flags = slot[slot::kFlags];
    EncodeBusyLock(cell(column::kBusyLock), flags);
    SetBits(flags, slot::kHighPowerBit, cell(column::kTxPower) == "High");
    SetBits(flags, slot::kWideBit, cell(column::kBandwidth) == "Wide");
    const bool scanAdd = cell(column::kScanAdd) == "Yes";
    const ScanBit scan = ScanBitOf(channel);
    SetBits(flags, slot::kScanAddBit, scanAdd);
    SetBits(image[scan.at], scan.mask, scanAdd);
    std::uint8_t& options = slot[slot::kOptions];
    options =
        static_cast<std::uint8_t>((options & ~slot::kPttIdMask) | PttIdValue(cell(column::kPttId)));
    EncodeName(cell(column::kName), image, channel);
    flags &= static_cast<std::uint8_t>(~slot::kClearedOnEncode);
}

}  // namespace

ChannelRow GridRow(const CellTable& grid, int row) {
    ChannelRow texts;
    for (int col = column::kRxFrequency; col <= column::kName; ++col) {
        texts[static_cast<std::size_t>(col)] = grid.TextMatrix(row, col);
    }
    return texts;
}

void SetGridRow(CellTable& grid, int row, const ChannelRow& texts) {
    for (int col = column::kRxFrequency; col <= column::kName; ++col) {
        grid.SetTextMatrix(row, col, texts[static_cast<std::size_t>(col)]);
    }
}

ChannelRow NewChannelRow(const std::string& frequency) {
    return {"", frequency, frequency, "None", "None", "Off", "High", "Wide", "Yes", "Off", ""};
}

std::array<std::string_view, 4> ColumnChoices(int col) {
    switch (col) {
        case column::kBusyLock:
            return kBusyLock;
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
        return static_cast<std::uint8_t>(name_code::kDigit0 + (c - '0'));
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<std::uint8_t>(name_code::kLetterA + (c - 'A'));
    }
    if (c == '-') {
        return name_code::kHyphen;
    }
    return c == ' ' ? name_code::kSpace : kUnsetByte;
}

std::optional<char> NameCharOf(std::uint8_t code) {
    if (code <= name_code::kDigit0 + ('9' - '0')) {
        return static_cast<char>('0' + (code - name_code::kDigit0));
    }
    if (code <= name_code::kLetterA + ('Z' - 'A')) {
        return static_cast<char>('A' + (code - name_code::kLetterA));
    }
    if (code == name_code::kHyphen) {
        return '-';
    }
    if (code == name_code::kSpace) {
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
