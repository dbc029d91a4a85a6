#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace torvan {

// The operating system's words for an error, in UTF-8: errno values (the C
// library's, on every platform) and, on Windows, GetLastError() codes.
std::string ErrnoText(int error);
#ifdef _WIN32
std::string WindowsErrorText(unsigned long error);
#endif

// File names travel through the program as UTF-8 text; the file system gets
// them in its own form (wide characters on Windows). Every conversion
// between the two goes through these, so a name like "Kanäle.sin" survives
// on both systems.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);
#ifdef _WIN32
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
#endif

}  // namespace torvan
