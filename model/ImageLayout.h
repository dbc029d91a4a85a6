#pragma once

#include <cstddef>
#include <cstdint>

namespace torvan {

// Stored forms used all over the image. 0xFF marks an unset or empty byte
// (erased memory). A frequency is packed BCD, least significant pair first; a
// tone is its low byte, then its type byte. A frequency whose top byte, or a
// tone whose type byte, is unset or zero stores nothing.
inline constexpr std::uint8_t kUnsetByte = 0xFF;
inline constexpr std::size_t kFrequencyLength = 4;
inline constexpr std::size_t kFrequencyTop = kFrequencyLength - 1;
inline constexpr std::size_t kToneLength = 2;
inline constexpr std::size_t kToneType = 1;
constexpr bool MarksNothing(std::uint8_t topOrType) {
    return topOrType == kUnsetByte || topOrType == 0x00;
}

// Where every field the program interprets lives in the 4096-byte image (radio
// address = image offset). Everything else is carried unchanged.
namespace offset {
// 128 channel slots of 16 bytes; channel n occupies (n - 1) * 16.
constexpr std::size_t kChannels = 0x000;
constexpr std::size_t kSlotSize = 16;
// Settings block.
constexpr std::size_t kFrequencyMode = 0x810;
constexpr std::size_t kScanSte = 0x811;
constexpr std::size_t kFlags = 0x812;
constexpr std::size_t kSql = 0x813;
constexpr std::size_t kTot = 0x814;
constexpr std::size_t kVox = 0x815;
constexpr std::size_t kEndRoger = 0x819;
constexpr std::size_t kPriorityChannel = 0x81A;
constexpr std::size_t kSideKey1 = 0x81D;
constexpr std::size_t kSideKey2 = 0x81E;
constexpr std::size_t kPttId = 0x820;
constexpr std::size_t kPttIdLength = 8;
constexpr std::size_t kDtmfSideTones = 0x83C;
constexpr std::size_t kPassword = 0x840;
constexpr std::size_t kPasswordLength = 6;
// Channel names, 8 bytes per channel, and the scan-add bitmap.
constexpr std::size_t kNames = 0x850;
constexpr std::size_t kNameLength = 8;
constexpr std::size_t kScanBitmap = 0xC50;
// 32 broadcast FM presets of 4 bytes.
constexpr std::size_t kBroadcastPresets = 0xD80;
constexpr std::size_t kBroadcastPresetCount = 32;
constexpr std::size_t kBroadcastPresetSize = 4;
// A Write sends everything below this address, then the band signature.
constexpr std::size_t kWriteEnd = 0xE00;
// Bookkeeping of the settings panel's profile lists (never written to a radio).
constexpr std::size_t kRangeIndex = 0xFD2;
constexpr std::size_t kModelIndex = 0xFD3;
constexpr std::size_t kBandSignature = 0xFF0;
constexpr std::size_t kBandSignatureLength = 3;
// The six transmit-power tuning values, changed only by live tuning.
constexpr std::size_t kTuning = 0xFF8;
constexpr std::size_t kTuningCount = 6;

// Where channel n (1-128), its name and broadcast preset n (1-32) begin.
constexpr std::size_t ChannelSlot(int channel) {
    return kChannels + static_cast<std::size_t>(channel - 1) * kSlotSize;
}
constexpr std::size_t ChannelName(int channel) {
    return kNames + static_cast<std::size_t>(channel - 1) * kNameLength;
}
constexpr std::size_t BroadcastPreset(int preset) {
    return kBroadcastPresets + static_cast<std::size_t>(preset - 1) * kBroadcastPresetSize;
}
}  // namespace offset

// Channel n's bit in the scan-add bitmap: eight channels to a byte, the
// lowest channel in the lowest bit.
struct ScanBit {
    std::size_t at;
    std::uint8_t mask;
};
constexpr ScanBit ScanBitOf(int channel) {
    const auto index = static_cast<unsigned>(channel - 1);
    return ScanBit{offset::kScanBitmap + index / 8U, static_cast<std::uint8_t>(1U << (index % 8U))};
}

// The bytes of one channel slot.
namespace slot {
constexpr std::size_t kRxFrequency = 0;
constexpr std::size_t kTxFrequency = 4;
constexpr std::size_t kRxTone = 8;
constexpr std::size_t kTxTone = 10;
constexpr std::size_t kOptions = 12;
constexpr std::size_t kFlags = 13;
// A slot whose receive frequency stores nothing holds no channel.
constexpr std::size_t kRxFrequencyTop = kRxFrequency + kFrequencyTop;

// kOptions holds the PTT ID code (0 Off, 1 Pre-Tx, 2 Post-Tx, 3 Both). kFlags:
// bit 0 is cleared on every encode, bits 1-2 the busy lock code (0 Off,
// 1 Carrier, 2 Tone), then scan add, wide bandwidth and high power.
constexpr std::uint8_t kPttIdMask = 0x03;
constexpr std::uint8_t kClearedOnEncode = 0x01;
constexpr std::uint8_t kBusyLockMask = 0x06;
constexpr unsigned kBusyLockShift = 1;
constexpr std::uint8_t kScanAddBit = 0x08;
constexpr std::uint8_t kWideBit = 0x10;
constexpr std::uint8_t kHighPowerBit = 0x20;
}  // namespace slot

// Tone type bytes: below kCdcssNormal a CTCSS tone (hundreds of tenths of a
// hertz, BCD); from each CDCSS base up to its last, the code's first digit
// above the base, normal polarity first, then inverted.
namespace tone {
constexpr std::uint8_t kCdcssNormal = 0x80;
constexpr std::uint8_t kCdcssNormalLast = 0xBF;
constexpr std::uint8_t kCdcssInverted = 0xC0;
constexpr std::uint8_t kCdcssInvertedLast = 0xFE;
}  // namespace tone

// Channel-name codes: the digits, the letters A-Z, then "-" and space. Any
// other code ends a name; a character without a code stores kUnsetByte.
namespace name_code {
constexpr std::uint8_t kDigit0 = 0x00;
constexpr std::uint8_t kLetterA = 0x0A;
constexpr std::uint8_t kHyphen = 0x24;
constexpr std::uint8_t kSpace = 0x25;
}  // namespace name_code

// The settings block. Frequency Mode and Scan Mode are a value 0-2 in the two
// low bits of their byte (3 reads as 0); STE is a code in the two high bits of
// offset::kScanSte; offset::kFlags holds three on/off bits; TOT counts steps
// of 30 seconds. The password is ASCII digits, kPasswordFiller for any other
// character, kUnsetByte beyond its length.
namespace settings {
constexpr std::uint8_t kModeMask = 0x03;
constexpr int kModeCount = 3;
constexpr std::uint8_t kSteMask = 0xC0;
constexpr std::uint8_t kSte120 = 0x00;
constexpr std::uint8_t kSte180 = 0x40;
constexpr std::uint8_t kSte240 = 0x80;
constexpr std::uint8_t kSteOff = 0xC0;
constexpr std::uint8_t kBatterySaveBit = 0x04;
constexpr std::uint8_t kBeepBit = 0x40;
constexpr std::uint8_t kLockChannelBit = 0x80;
constexpr int kTotStepSeconds = 30;
constexpr std::uint8_t kPasswordFiller = '0';
}  // namespace settings

// Side keys 1 and 2: a function code per press, the short press in the high
// nibble of the key's byte, the long press in the low nibble.
namespace side_key {
constexpr unsigned kShortPressShift = 4;
constexpr std::uint8_t kLongPressMask = 0x0F;
}  // namespace side_key

// DTMF: two side-tone bits of offset::kDtmfSideTones (its other bits belong to
// other settings); the PTT ID characters as ASCII, zero-filled after the text.
namespace dtmf {
constexpr std::uint8_t kTxSideToneBit = 0x01;
constexpr std::uint8_t kRxSideToneBit = 0x04;
constexpr std::uint8_t kPttIdFill = 0x00;
}  // namespace dtmf

}  // namespace torvan
