#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace torvan {

// The radio's 4096-byte configuration memory, address for address.
// Offset A is radio address A; it can also be seen as 256 rows of 16 bytes.
class MemoryImage {
public:
    static constexpr std::size_t kSize = 4096;
    static constexpr std::size_t kRowSize = 16;
    using Bytes = std::array<std::uint8_t, kSize>;

    MemoryImage() { bytes_.fill(0xFF); }

    std::uint8_t& operator[](std::size_t offset) { return bytes_.at(offset); }
    std::uint8_t operator[](std::size_t offset) const { return bytes_.at(offset); }

    std::span<std::uint8_t> Span(std::size_t offset, std::size_t length) {
        return std::span<std::uint8_t>(bytes_).subspan(offset, length);
    }
    std::span<const std::uint8_t> Span(std::size_t offset, std::size_t length) const {
        return std::span<const std::uint8_t>(bytes_).subspan(offset, length);
    }

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    // Factory state of a new document: all 0xFF except the defaults below.
    void ResetToNewDocument();

    friend bool operator==(const MemoryImage&, const MemoryImage&) = default;

private:
    Bytes bytes_;
};

// Offsets of the bytes the editor interprets.
namespace offset {
constexpr std::size_t kFrequencyMode = 0x810;
constexpr std::size_t kScanSte = 0x811;
constexpr std::size_t kFlags = 0x812;
constexpr std::size_t kSql = 0x813;
constexpr std::size_t kTot = 0x814;
constexpr std::size_t kVox = 0x815;
constexpr std::size_t kEndRoger = 0x819;
constexpr std::size_t kPriorityChannel = 0x81A;
constexpr std::size_t kPassword = 0x840;
constexpr std::size_t kPasswordLength = 6;
constexpr std::size_t kNames = 0x850;
constexpr std::size_t kScanBitmap = 0xC50;
constexpr std::size_t kRangeIndex = 0xFD2;
constexpr std::size_t kModelIndex = 0xFD3;
constexpr std::size_t kBandSignature = 0xFF0;
constexpr std::size_t kBandSignatureLength = 3;
}  // namespace offset

}  // namespace torvan
