#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace torvan {

// Longest value a read gives; longer ones are cut.
inline constexpr std::size_t kMaxIniValueLength = 259;

// The keys of one section as read at one moment.
class IniSection {
public:
    void Add(std::string key, std::string value);
    // The first value of `key` (letter case ignored); empty when missing.
    std::string Value(const std::string& key) const;

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// Program.ini's text apart from the file that holds it. Section and key
// names match without regard to letter case; a leading UTF-8 byte-order
// mark is ignored and kept.

// The keys of the first section named `section` in `text`.
IniSection ReadIniSection(std::string_view text, const std::string& section);

// `text` with `key` of `section` set to `value`: the key's line is replaced,
// or the key is added after the section's last non-blank line, or the section
// and the key are added at the end. Every other line, and its own line
// ending, stays as it was.
std::string WithIniValue(std::string_view text, const std::string& section, const std::string& key,
                         const std::string& value);

}  // namespace torvan
