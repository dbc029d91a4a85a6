#include "form/TonePick.h"

#include "model/Text.h"
#include "model/ToneLists.h"

namespace torvan {
namespace {

// The text after the first colon up to (not including) the first of `stops`;
// empty when there is no colon.
std::string AfterColon(std::string_view text, std::string_view stops) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return {};
    }
    std::string_view rest = text.substr(colon + 1);
    return std::string(rest.substr(0, rest.find_first_of(stops)));
}

}  // namespace

ToneSelection ParseToneSelection(std::string_view text) {
    if (EqualNoCase(text, "None")) {
        return {};
    }
    if (text.find('N') != std::string_view::npos) {
        return {ToneMode::CdcssNormal, AfterColon(text, "N")};
    }
    if (text.find('I') != std::string_view::npos) {
        return {ToneMode::CdcssInverted, AfterColon(text, "I")};
    }
    if (text.find("CTCSS") != std::string_view::npos) {
        return {ToneMode::Ctcss, std::string(WordAfterColon(text))};
    }
    return {};
}

std::span<const std::string_view> ToneEntries(ToneMode mode) {
    switch (mode) {
        case ToneMode::CdcssNormal:
        case ToneMode::CdcssInverted:
            return kCdcssCodes;
        case ToneMode::Ctcss:
            return kCtcssTones;
        case ToneMode::None:
            break;
    }
    return {};
}

std::optional<int> FindToneEntry(ToneMode mode, std::string_view value) {
    const auto entries = ToneEntries(mode);
    for (std::size_t e = 0; e < entries.size(); ++e) {
        if (EqualNoCase(entries[e], value)) {
            return static_cast<int>(e);
        }
    }
    return std::nullopt;
}

std::string ToneResultText(ToneMode mode, std::string_view t) {
    switch (mode) {
        case ToneMode::CdcssNormal:
            return "CDCSS:" + std::string(t) + "N";
        case ToneMode::Ctcss:
            return "CTCSS:" + std::string(t);
        case ToneMode::CdcssInverted:
            return "CDCSS:" + std::string(t) + "I";
        case ToneMode::None:
            break;
    }
    return "None";
}

}  // namespace torvan
