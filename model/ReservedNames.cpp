#include "model/ReservedNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace torvan {

bool IsReservedDeviceName(std::string_view name) {
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    std::transform(stem.begin(), stem.end(), stem.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    constexpr std::array<std::string_view, 6> kNames = {"CON", "PRN",    "AUX",
                                                        "NUL", "CONIN$", "CONOUT$"};
    if (std::find(kNames.begin(), kNames.end(), stem) != kNames.end()) {
        return true;
    }
    if (!stem.starts_with("COM") && !stem.starts_with("LPT")) {
        return false;
    }
    const std::string_view number = std::string_view(stem).substr(3);
    constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    return (number.size() == 1 && std::isdigit(static_cast<unsigned char>(number[0])) != 0) ||
           std::find(kSuperscripts.begin(), kSuperscripts.end(), number) != kSuperscripts.end();
}

}  // namespace torvan
