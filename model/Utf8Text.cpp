#include "model/Utf8Text.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace torvan {
namespace {

struct LeadByte {
    std::size_t length = 0;  // 0: no character starts with this byte
    char32_t lowest = 0;     // below it the form is overlong
    unsigned bits = 0;
};

LeadByte LeadOf(std::uint8_t lead) {
    if (lead < 0x80) {
        return {1, 0, 0x7F};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80, 0x1F};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return {3, 0x800, 0x0F};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return {4, 0x10000, 0x07};
    }
    return {};
}

// The length of the well-formed UTF-8 character `text` starts with, and its
// code point; 0 when it starts with none.
std::size_t DecodeOne(std::string_view text, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const LeadByte lead = LeadOf(byte(0));
    if (lead.length == 0 || text.size() < lead.length) {
        return 0;
    }
    code = byte(0) & lead.bits;
    for (std::size_t i = 1; i < lead.length; ++i) {
        if ((byte(i) & 0xC0U) != 0x80U) {
            return 0;
        }
        code = (code << 6U) | (byte(i) & 0x3FU);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < lead.lowest || surrogate || code > 0x10FFFF ? 0 : lead.length;
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0U | (code >> 6U));
        out += static_cast<char>(0x80U | (code & 0x3FU));
    } else {
        out += static_cast<char>(0xE0U | (code >> 12U));
        out += static_cast<char>(0x80U | ((code >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (code & 0x3FU));
    }
}

// Windows-1252 bytes 0x80-0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool Printable(char32_t code) {
    return code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0);
}

}  // namespace

bool IsUtf8(std::string_view text) {
    char32_t code = 0;
    while (!text.empty()) {
        const std::size_t length = DecodeOne(text, code);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

std::string Utf8FromWindows1252(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        AppendUtf8(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80U] : byte, out);
    }
    return out;
}

std::string ReadableUtf8(std::string_view text) {
    return IsUtf8(text) ? std::string(text) : Utf8FromWindows1252(text);
}

std::string PrintableText(std::string_view text) {
    std::string out;
    char32_t code = 0;
    while (!text.empty()) {
        std::size_t length = DecodeOne(text, code);
        if (length > 0 && Printable(code)) {
            out += text.substr(0, length);
        } else {
            length = 1;
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<std::uint8_t>(text[0]));
            out += escaped;
        }
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace torvan
