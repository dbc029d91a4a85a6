#include "model/PasswordCodec.h"

#include "model/ImageLayout.h"

namespace torvan {

std::string DecodePassword(const MemoryImage& image) {
    std::string text;
    for (const std::uint8_t byte : image.Span(offset::kPassword, offset::kPasswordLength)) {
        if (byte >= '0' && byte <= '9') {
            text.push_back(static_cast<char>(byte));
        }
    }
    return text;
}

void EncodePasswordBytes(std::string_view text, MemoryImage& image) {
    auto bytes = image.Span(offset::kPassword, offset::kPasswordLength);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i >= text.size()) {
            bytes[i] = kUnsetByte;
        } else {
            bytes[i] = text[i] >= '0' && text[i] <= '9' ? static_cast<std::uint8_t>(text[i])
                                                        : settings::kPasswordFiller;
        }
    }
}

}  // namespace torvan
