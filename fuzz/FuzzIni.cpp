// Program.ini's text: any text is read without harm, and a write changes only
// the line of its key (or adds the key, and its section when missing): every
// other line comes back byte for byte, with its own line ending, and the value
// reads back.
//
// Input: "SECTION<TAB>KEY<TAB>VALUE" on the first line, the file after it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/IniText.h"
#include "config/ModelCatalogReader.h"
#include "fuzz/FuzzSupport.h"
#include "model/Text.h"

namespace {

using namespace torvan;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\n\v\f\r";
    text.remove_prefix(std::min(text.find_first_not_of(kBlanks), text.size()));
    return text.substr(0, text.find_last_not_of(kBlanks) + 1);
}

// Printable, without blanks at either end.
bool Clean(std::string_view text) {
    return Trim(text) == text && std::none_of(text.begin(), text.end(), [](char c) {
               return static_cast<unsigned char>(c) < 0x20;
           });
}

// Names and values the file format can hold as they are.
bool Plain(std::string_view section, std::string_view key, std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return !section.empty() && !key.empty() && Clean(section) && Clean(key) && Clean(value) &&
           section.find(']') == std::string_view::npos &&
           key.find_first_of("=[];") == std::string_view::npos && !quoted &&
           value.size() <= kMaxIniValueLength;
}

// The text before the first `end` (all of it when none); `text` keeps what follows.
std::string_view Take(std::string_view& text, char end) {
    const std::size_t at = std::min(text.find(end), text.size());
    const std::string_view taken = text.substr(0, at);
    text.remove_prefix(std::min(at + 1, text.size()));
    return taken;
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

std::string_view WithoutEnding(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(line.ends_with("\r\n") ? 2 : 1);
    }
    return line;
}

// Whether a line sets `key`, spelt in any letter case, blanks around it allowed.
bool SetsKey(std::string_view line, std::string_view key) {
    line = WithoutEnding(line);
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && EqualNoCase(Trim(line.substr(0, equals)), key);
}

// Whether a line is exactly "KEY=VALUE", the key's letter case as the file had it.
bool IsNewKeyLine(std::string_view line, std::string_view key, const std::string& value) {
    line = WithoutEnding(line);
    return line.size() == key.size() + 1 + value.size() && line.ends_with("=" + value) &&
           EqualNoCase(line.substr(0, key.size()), key);
}

// `after` is `before` with one line of the key replaced by the key's new line
// (with the old line's ending), or with the key's line (and its section
// header) added; a last line without an ending gains one when a line is added
// after it.
void CheckOnlyTheKeyChanged(std::string_view before, std::string_view after,
                            const std::string& section, const std::string& key,
                            const std::string& value) {
    const bool mark = before.starts_with(kByteOrderMark);
    FUZZ_CHECK(after.starts_with(kByteOrderMark) == mark);
    auto old = SplitLines(before.substr(mark ? kByteOrderMark.size() : 0));
    const auto now = SplitLines(after.substr(mark ? kByteOrderMark.size() : 0));
    if (now.size() > old.size() && !old.empty() && !old.back().ends_with('\n') &&
        now.back() != old.back()) {
        for (const char* ending : {"\n", "\r\n"}) {
            if (now[old.size() - 1] == old.back() + ending) {
                old.back() += ending;
            }
        }
    }
    std::size_t head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    // Nothing changes when the key already held the value.
    const std::size_t removed = old.size() - head - tail;
    FUZZ_CHECK(removed <= 1 && now.size() - head - tail <= 2);
    if (removed == 1) {
        // The key's line, replaced in place, keeps its ending.
        FUZZ_CHECK(now.size() == old.size() && SetsKey(old[head], key));
        FUZZ_CHECK(old[head].substr(WithoutEnding(old[head]).size()) ==
                   now[head].substr(WithoutEnding(now[head]).size()));
    }
    for (std::size_t i = head; i < now.size() - tail; ++i) {
        FUZZ_CHECK(WithoutEnding(now[i]) == "[" + section + "]" ||
                   IsNewKeyLine(now[i], key, value));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view file = fuzz::AsText(data, size);
    std::string_view request = Take(file, '\n');
    const std::string section(Take(request, '\t'));
    const std::string key(Take(request, '\t'));
    const std::string value(request);

    // Reading keeps to the store's limits.
    FUZZ_CHECK(ReadModelCatalog(ReadIniSection(file, "Setup")).size() <=
               static_cast<std::size_t>(kMaxModels));
    FUZZ_CHECK(ReadIniSection(file, section).Value(key).size() <= kMaxIniValueLength);
    const std::string after = WithIniValue(file, section, key, value);
    if (Plain(section, key, value)) {
        CheckOnlyTheKeyChanged(file, after, section, key, value);
        FUZZ_CHECK(ReadIniSection(after, section).Value(key) == value);
    }
    return 0;
}
