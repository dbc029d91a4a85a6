#include "app/IniStore.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

#include "model/Numbers.h"
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

struct Lines {
    std::vector<std::string> lines;
    std::string newline = "\n";
};

Lines ReadLines(const std::filesystem::path& path) {
    Lines result;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            result.newline = "\r\n";
        }
        result.lines.push_back(line);
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

bool WriteLines(const std::filesystem::path& path, const Lines& file) {
    std::filesystem::path temp = path;
    temp += ".saving";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const auto& line : file.lines) {
            out << line << file.newline;
        }
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace

IniStore::IniStore() : IniStore(ExecutableDirectory() / "Program.ini") {}

IniStore::IniStore(std::filesystem::path path) : path_(std::move(path)) {
    std::ifstream probe(path_);
    if (!probe) {
        std::ofstream create(path_);  // failure is not reported: reads give defaults
    }
}

std::filesystem::path IniStore::ExecutableDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

std::string IniStore::ReadString(const std::string& section, const std::string& key) const {
    const Lines file = ReadLines(path_);
    const auto range = FindSection(file, section);
    if (!range) {
        return {};
    }
    const auto at = FindKey(file, *range, key);
    if (!at) {
        return {};
    }
    std::string value = ParseKeyLine(file.lines[*at])->value;
    if (value.size() > kMaxValueLength) {
        value.resize(kMaxValueLength);
    }
    return value;
}

int IniStore::ReadInt(const std::string& section, const std::string& key) const {
    return static_cast<int>(ParseInteger(ReadString(section, key)));
}

bool IniStore::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    Lines file = ReadLines(path_);
    const auto range = FindSection(file, section);
    if (!range) {
        file.lines.push_back("[" + section + "]");
        file.lines.push_back(key + "=" + value);
        return WriteLines(path_, file);
    }
    if (const auto at = FindKey(file, *range, key)) {
        file.lines[*at] = ParseKeyLine(file.lines[*at])->key + "=" + value;
        return WriteLines(path_, file);
    }
    // New key after the section's last non-blank line.
    std::size_t insertAt = range->second;
    while (insertAt > range->first && Trim(file.lines[insertAt - 1]).empty()) {
        --insertAt;
    }
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                      key + "=" + value);
    return WriteLines(path_, file);
}

bool IniStore::WriteInt(const std::string& section, const std::string& key, int value) {
    return WriteString(section, key, std::to_string(value));
}

}  // namespace torvan
