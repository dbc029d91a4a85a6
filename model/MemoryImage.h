#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/ImageLayout.h"

namespace torvan {

// The radio's 4096-byte configuration memory, address for address.
// Offset A is radio address A; it can also be seen as 256 rows of 16 bytes.
class MemoryImage {
public:
    static constexpr std::size_t kSize = 4096;
    static constexpr std::size_t kRowSize = 16;
    using Bytes = std::array<std::uint8_t, kSize>;

    MemoryImage() { bytes_.fill(kUnsetByte); }

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

    // Factory state of a new document: all unset except the defaults below.
    void ResetToNewDocument();

    friend bool operator==(const MemoryImage&, const MemoryImage&) = default;

private:
    Bytes bytes_;
};

}  // namespace torvan
