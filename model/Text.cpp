#include "model/Text.h"

#include <algorithm>
#include <cctype>

namespace torvan {

std::string TrimmedBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}
namespace {

constexpr std::string_view kSpace = " \t\r\n\f\v";

bool SameLetter(char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
}

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameLetter);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return prefix.size() <= text.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

std::string_view WordAfterColon(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return {};
    }
    std::string_view rest = text.substr(colon + 1);
    const std::size_t start = rest.find_first_not_of(kSpace);
    if (start == std::string_view::npos) {
        return {};
    }
    rest.remove_prefix(start);
    return rest.substr(0, rest.find_first_of(kSpace));
}

std::string RunsText(const std::vector<std::size_t>& ascending,
                     const std::function<std::string(std::size_t)>& show) {
    std::string text;
    for (std::size_t i = 0; i < ascending.size();) {
        std::size_t last = i;
        while (last + 1 < ascending.size() && ascending[last + 1] == ascending[last] + 1) {
            ++last;
        }
        if (!text.empty()) {
            text += ", ";
        }
        text += show(ascending[i]);
        if (last > i) {
            text += '-';
            text += show(ascending[last]);
        }
        i = last + 1;
    }
    return text;
}

}  // namespace torvan
