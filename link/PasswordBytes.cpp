#include "link/PasswordBytes.h"

namespace torvan {

void EncodePasswordBytes(std::string_view text, MemoryImage& image) {
    auto bytes = image.Span(offset::kPassword, offset::kPasswordLength);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i >= text.size()) {
            bytes[i] = 0xFF;
        } else {
            const char c = text[i];
            bytes[i] = c >= '0' && c <= '9' ? static_cast<std::uint8_t>(c) : 0x30;
        }
    }
}

}  // namespace torvan
