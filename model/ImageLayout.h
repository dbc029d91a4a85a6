#pragma once

#include <cstddef>
#include <cstdint>

namespace torvan {

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
// Side keys 1 and 2: short press in the high nibble, long press in the low.
constexpr std::size_t kSideKey1 = 0x81D;
constexpr std::size_t kSideKey2 = 0x81E;
// DTMF: the PTT ID characters, zero-filled, and the side-tone bits.
constexpr std::size_t kPttId = 0x820;
constexpr std::size_t kPttIdLength = 8;
constexpr std::size_t kDtmfSideTones = 0x83C;
constexpr std::size_t kPassword = 0x840;
constexpr std::size_t kPasswordLength = 6;
// Channel names, 8 bytes per channel, and the scan-add bitmap.
constexpr std::size_t kNames = 0x850;
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
}  // namespace offset

// The bytes of one channel slot.
namespace slot {
constexpr std::size_t kRxFrequency = 0;  // 4 bytes packed BCD
constexpr std::size_t kTxFrequency = 4;  // 4 bytes packed BCD
constexpr std::size_t kRxTone = 8;       // low byte, then type byte
constexpr std::size_t kTxTone = 10;      // low byte, then type byte
constexpr std::size_t kOptions = 12;     // PTT ID in bits 0-1
constexpr std::size_t kFlags = 13;
// A slot whose last receive-frequency byte is 0xFF or 0x00 holds no channel.
constexpr std::size_t kRxFrequencyTop = kRxFrequency + 3;

constexpr std::uint8_t kPttIdMask = 0x03;
constexpr std::uint8_t kClearedOnEncode = 0x01;
constexpr std::uint8_t kBusyLockMask = 0x06;
constexpr std::uint8_t kScanAddBit = 0x08;
constexpr std::uint8_t kWideBit = 0x10;
constexpr std::uint8_t kHighPowerBit = 0x20;
}  // namespace slot

}  // namespace torvan
