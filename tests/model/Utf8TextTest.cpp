#include "model/Utf8Text.h"

#include <gtest/gtest.h>

namespace torvan {
namespace {

struct TextCase {
    std::string text;
    std::string readable;   // ReadableUtf8
    std::string printable;  // PrintableText
};

TEST(Utf8Text, WindowsTextReadsAsUtf8AndMessagesStayOnePrintableLine) {
    using namespace std::string_literals;
    const std::vector<TextCase> cases = {
        {"Mod\xC3\xA8le \xE2\x82\xAC", "Mod\xC3\xA8le \xE2\x82\xAC", "Mod\xC3\xA8le \xE2\x82\xAC"},
        {"Mod\xE8le \x80\x81", "Mod\xC3\xA8le \xE2\x82\xAC\xC2\x81", "Mod\\xE8le \\x80\\x81"},
        {"A\0B\nC\x1B\x7F"s, "A\0B\nC\x1B\x7F"s, "A\\x00B\\x0AC\\x1B\\x7F"},
        {"AB\xC3", "AB\xC3\x83", "AB\\xC3"},                      // half a character
        {"\xC2\x85", "\xC2\x85", "\\xC2\\x85"},                   // a control beyond ASCII
        {"\xC0\xAF\xED\xA0\x80", "\xC3\x80\xC2\xAF\xC3\xAD\xC2\xA0\xE2\x82\xAC",
         "\\xC0\\xAF\\xED\\xA0\\x80"},                            // overlong, surrogate
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(ReadableUtf8(c.text), c.readable) << c.printable;
        EXPECT_EQ(PrintableText(c.text), c.printable);
    }
}

}  // namespace
}  // namespace torvan
