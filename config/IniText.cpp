#include "config/IniText.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "model/Text.h"

namespace torvan {
namespace {

std::string Trim(std::string_view text) {
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The file as its lines, each with the ending it had, so that a write changes
// only the lines it means to. A leading byte-order mark (editors on other
// systems add one) is kept aside and written back.
struct Lines {
    std::vector<std::string> lines;
    std::vector<std::string> endings;
    bool byteOrderMark = false;

    // The ending of new lines: the file's first, or "\n" for a file without one.
    std::string NewLine() const {
        for (const auto& ending : endings) {
            if (!ending.empty()) {
                return ending;
            }
        }
        return "\n";
    }
    void Insert(std::size_t at, std::string line) {
        // The line before an insertion at the end may lack its ending.
        if (at > 0 && at == lines.size() && endings.back().empty()) {
            endings.back() = NewLine();
        }
        const std::string ending = NewLine();
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
        endings.insert(endings.begin() + static_cast<std::ptrdiff_t>(at), ending);
    }
};

Lines SplitLines(std::string_view rest) {
    Lines result;
    if (rest.starts_with(kByteOrderMark)) {
        result.byteOrderMark = true;
        rest.remove_prefix(kByteOrderMark.size());
    }
    while (!rest.empty()) {
        const std::size_t newline = rest.find('\n');
        std::string_view line = rest.substr(0, newline);
        std::string ending = newline == std::string_view::npos ? "" : "\n";
        if (!ending.empty() && line.ends_with('\r')) {
            line.remove_suffix(1);
            ending = "\r\n";
        }
        result.lines.emplace_back(line);
        result.endings.push_back(ending);
        rest.remove_prefix(std::min(rest.size(), line.size() + ending.size()));
    }
    return result;
}

std::optional<std::string> SectionName(const std::string& line) {
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = trimmed.find(']');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    return Trim(std::string_view(trimmed).substr(1, close - 1));
}

struct KeyLine {
    std::string key;
    std::string value;
};

std::optional<KeyLine> ParseKeyLine(const std::string& line) {
    const std::size_t equals = line.find('=');
    const std::string trimmed = Trim(line);
    if (equals == std::string::npos || trimmed.empty() || trimmed.front() == ';') {
        return std::nullopt;
    }
    std::string value = Trim(std::string_view(line).substr(equals + 1));
    // The profile functions drop one pair of enclosing quotes.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return KeyLine{Trim(std::string_view(line).substr(0, equals)), value};
}

// Index range [begin, end) of the lines inside the first matching section.
std::optional<std::pair<std::size_t, std::size_t>> FindSection(const Lines& file,
                                                               const std::string& section) {
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const auto name = SectionName(file.lines[i]);
        if (name && EqualNoCase(*name, section)) {
            std::size_t end = i + 1;
            while (end < file.lines.size() && !SectionName(file.lines[end])) {
                ++end;
            }
            return std::make_pair(i + 1, end);
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const Lines& file, std::pair<std::size_t, std::size_t> range,
                                   const std::string& key) {
    for (std::size_t i = range.first; i < range.second; ++i) {
        const auto entry = ParseKeyLine(file.lines[i]);
        if (entry && EqualNoCase(entry->key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string JoinLines(const Lines& file) {
    std::string text(file.byteOrderMark ? kByteOrderMark : "");
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        text += file.lines[i];
        text += file.endings[i];
    }
    return text;
}

}  // namespace

void IniSection::Add(std::string key, std::string value) {
    if (value.size() > kMaxIniValueLength) {
        value.resize(kMaxIniValueLength);
    }
    entries_.emplace_back(std::move(key), std::move(value));
}

std::string IniSection::Value(const std::string& key) const {
    for (const auto& [name, value] : entries_) {
        if (EqualNoCase(name, key)) {
            return value;
        }
    }
    return {};
}

IniSection ReadIniSection(std::string_view text, const std::string& section) {
    const Lines file = SplitLines(text);
    IniSection result;
    if (const auto range = FindSection(file, section)) {
        for (std::size_t i = range->first; i < range->second; ++i) {
            if (auto entry = ParseKeyLine(file.lines[i])) {
                result.Add(std::move(entry->key), std::move(entry->value));
            }
        }
    }
    return result;
}

std::string WithIniValue(std::string_view text, const std::string& section, const std::string& key,
                         const std::string& value) {
    Lines file = SplitLines(text);
    const auto range = FindSection(file, section);
    if (!range) {
        file.Insert(file.lines.size(), "[" + section + "]");
        file.Insert(file.lines.size(), key + "=" + value);
        return JoinLines(file);
    }
    if (const auto at = FindKey(file, *range, key)) {
        file.lines[*at] = ParseKeyLine(file.lines[*at])->key + "=" + value;
        return JoinLines(file);
    }
    // New key after the section's last non-blank line.
    std::size_t insertAt = range->second;
    while (insertAt > range->first && Trim(file.lines[insertAt - 1]).empty()) {
        --insertAt;
    }
    file.Insert(insertAt, key + "=" + value);
    return JoinLines(file);
}

}  // namespace torvan
