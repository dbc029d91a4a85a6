#include "model/MemoryImage.h"

#include <utility>

namespace torvan {

void MemoryImage::ResetToNewDocument() {
    bytes_.fill(kUnsetByte);
    // Bytes no field owns (0x80A, 0x80B, 0x816-0x818, 0x839, 0x83A) carry the
    // radio's own factory values.
    static constexpr std::pair<std::size_t, std::uint8_t> kDefaults[] = {
        {offset::kRangeIndex, 0x00},
        {offset::kModelIndex, 0x00},
        {0x80A, 0xEE},
        {0x80B, 0x38},
        {offset::kFrequencyMode, 0x80},
        {offset::kScanSte, 0xA8},
        {offset::kFlags, 0xD4},
        {offset::kSql, 0x05},
        {offset::kTot, 0x00},
        {offset::kVox, 0x00},
        {0x816, 0x03},
        {0x817, 0x04},
        {0x818, 0x00},
        {offset::kEndRoger, 0x00},
        {offset::kPriorityChannel, 0x01},
        {offset::kSideKey1, 0x14},
        {offset::kSideKey2, 0x58},
        {0x839, 0x01},
        {0x83A, 0x14},
    };
    for (const auto& [at, value] : kDefaults) {
        bytes_[at] = value;
    }
}

}  // namespace torvan
