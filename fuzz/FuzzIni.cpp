// Program.ini: any file is read without harm, and a write changes only the
// line of its key (or adds the key, and its section when missing): every
// other line comes back byte for byte, with its own line ending.
//
// Input: "SECTION<TAB>KEY<TAB>VALUE" on the first line, the file after it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/IniStore.h"
#include "config/ModelCatalogReader.h"
#include "fuzz/FuzzSupport.h"
#include "model/Text.h"

namespace {

using namespace torvan;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool Trimmed(std::string_view text) {
    return text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back()));
}

bool Printable(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// Names and values the file format can hold as they are.
bool Plain(std::string_view section, std::string_view key, std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return !section.empty() && !key.empty() && Printable(section) && Printable(key) &&
           Printable(value) && Trimmed(section) && Trimmed(key) && Trimmed(value) &&
           section.find(']') == std::string_view::npos &&
           key.find_first_of("=[];") == std::string_view::npos && !quoted &&
           value.size() <= IniStore::kMaxValueLength;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Lines with their endings.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

std::string WithoutEnding(std::string line) {
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
    }
    return line;
}

bool IsKeyLine(const std::string& line, std::string_view key, std::string_view value) {
    const std::string text = WithoutEnding(line);
    const std::size_t equals = text.find('=');
    return equals != std::string::npos && EqualNoCase(text.substr(0, equals), key) &&
           std::string_view(text).substr(equals + 1) == value;
}

// `after` is `before` with at most one line replaced by the key's line, and
// with the key's line and its section header added; a last line without an
// ending may gain one.
void CheckOnlyTheKeyChanged(std::string_view before, std::string_view after,
                            std::string_view section, std::string_view key,
                            std::string_view value) {
    const bool mark = before.starts_with(kByteOrderMark);
    FUZZ_CHECK(after.starts_with(kByteOrderMark) == mark);
    if (mark) {
        before.remove_prefix(kByteOrderMark.size());
        after.remove_prefix(kByteOrderMark.size());
    }
    const auto old = SplitLines(before);
    const auto now = SplitLines(after);
    std::size_t head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    const std::vector<std::string> removed(old.begin() + static_cast<long>(head),
                                           old.end() - static_cast<long>(tail));
    const std::vector<std::string> added(now.begin() + static_cast<long>(head),
                                         now.end() - static_cast<long>(tail));
    // Nothing changes when the key already held the value.
    FUZZ_CHECK(removed.size() <= 1 && added.size() <= 3);
    const bool lastGainedEnding = !removed.empty() && tail == 0 && head + 1 == old.size() &&
                                  old.back().back() != '\n' && added.front() == old.back() + "\n";
    const bool lastGainedCrlf = !removed.empty() && tail == 0 && head + 1 == old.size() &&
                                old.back().back() != '\n' && added.front() == old.back() + "\r\n";
    if (!removed.empty() && !lastGainedEnding && !lastGainedCrlf) {
        const std::string line = WithoutEnding(removed.front());
        const std::size_t equals = line.find('=');
        FUZZ_CHECK(equals != std::string::npos &&
                   EqualNoCase(Trim(std::string_view(line).substr(0, equals)), key));
    }
    for (std::size_t i = 0; i < added.size(); ++i) {
        const std::string& line = added[i];
        const bool header = WithoutEnding(line) == "[" + std::string(section) + "]";
        const bool kept = i == 0 && (lastGainedEnding || lastGainedCrlf);
        FUZZ_CHECK(header || kept || IsKeyLine(line, key, value));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    const std::size_t newline = std::min(input.find('\n'), input.size());
    const std::string_view request = input.substr(0, newline);
    const std::string_view file = input.substr(std::min(newline + 1, input.size()));
    const std::size_t tab1 = std::min(request.find('\t'), request.size());
    const std::size_t tab2 = std::min(request.find('\t', std::min(tab1 + 1, request.size())),
                                      request.size());
    const std::string section(request.substr(0, tab1));
    const std::string key(request.substr(std::min(tab1 + 1, tab2), tab2 - std::min(tab1 + 1, tab2)));
    const std::string value(request.substr(std::min(tab2 + 1, request.size())));

    const auto path = fuzz::ScratchFolder::Get() / "Program.ini";
    fuzz::WriteWholeFile(path, file);
    IniStore ini(path);
    // Reading never fails and keeps to the store's limits.
    const ModelCatalog models = ReadModelCatalog(ini);
    FUZZ_CHECK(models.size() <= static_cast<std::size_t>(kMaxModels));
    FUZZ_CHECK(ini.ReadString(section, key).size() <= IniStore::kMaxValueLength);
    FUZZ_CHECK(fuzz::ReadWholeFile(path) == file);

    const bool written = ini.WriteString(section, key, value);
    const std::string after = fuzz::ReadWholeFile(path);
    if (!Plain(section, key, value)) {
        return 0;
    }
    FUZZ_CHECK(written);
    CheckOnlyTheKeyChanged(file, after, section, key, value);
    FUZZ_CHECK(ini.ReadString(section, key) == value);
    return 0;
}
