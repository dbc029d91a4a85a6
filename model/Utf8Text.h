#pragma once

#include <string>
#include <string_view>

namespace torvan {

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or code
// points past U+10FFFF).
bool IsUtf8(std::string_view text);

// `text` read as Windows-1252 (what Windows editors save by default), in
// UTF-8. The five bytes that code page leaves unassigned become the control
// characters of the same number, as Windows reads them.
std::string Utf8FromWindows1252(std::string_view text);

// Text from a file any editor may have saved: as it is when it is UTF-8,
// read as Windows-1252 otherwise. Always UTF-8.
std::string ReadableUtf8(std::string_view text);

// Text for a message line: printable characters as they are, every other
// byte (controls, line breaks, bytes that are no whole UTF-8 character) as
// \xHH, so that a message stays one line and no character is cut in two.
std::string PrintableText(std::string_view text);

}  // namespace torvan
