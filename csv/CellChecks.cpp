#include "csv/CellChecks.h"

#include <cctype>
#include <vector>

#include "form/ChannelCodec.h"
#include "form/ChannelEdits.h"
#include "form/TonePick.h"
#include "model/Codecs.h"
#include "model/Numbers.h"
#include "model/Text.h"

namespace torvan::csv {

CellCheck Refused(std::string reason) {
    return {Verdict::Refused, {}, std::move(reason)};
}

namespace {

std::string ChoicesText(int col) {
    std::string text;
    for (const auto choice : ColumnChoices(col)) {
        if (!choice.empty()) {
            text += (text.empty() ? "" : ", ") + std::string(choice);
        }
    }
    return text;
}

}  // namespace

bool IsDecimalNumber(std::string_view text) {
    std::size_t digits = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            ++digits;
        } else {
            return false;
        }
    }
    return digits > 0;
}

std::string BandText(const FrequencyLimits& limits) {
    return std::to_string(limits.lower / 100000U) + "-" + std::to_string(limits.upper / 100000U) +
           " MHz";
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::uint32_t MegahertzCount(std::string_view text) {
    return IsDecimalNumber(text) ? FrequencyCount(text) : 0;
}

CellCheck CheckFrequency(std::string_view text, const FrequencyLimits& limits) {
    if (text.empty()) {
        return {};
    }
    const std::uint32_t count = MegahertzCount(text);
    if (count == 0 && !IsDecimalNumber(text)) {
        return Refused("not a frequency in MHz");
    }
    if (count < limits.lower || count > limits.upper) {
        return Refused("outside the file's band " + BandText(limits));
    }
    const std::string committed = CommittedFrequencyText(text, limits);
    if (SnapToStep(count) != count) {
        return {Verdict::Corrected, committed,
                "not on the 5 or 6.25 kHz step; the editor makes it " + committed};
    }
    if (ParseNumber(committed) != ParseNumber(text)) {
        return {Verdict::Corrected, committed,
                "finer than 10 Hz; the editor makes it " + committed};
    }
    return {Verdict::Kept, committed, {}};
}

std::string& TextOf(ChannelRow& row, int col) {
    return row[static_cast<std::size_t>(col)];
}

const std::string& TextOf(const ChannelRow& row, int col) {
    return row[static_cast<std::size_t>(col)];
}

bool HoldsTone(const ChannelRow& held, std::string_view tone) {
    return TextOf(held, column::kRxCode) == tone || TextOf(held, column::kTxCode) == tone;
}

CellCheck CheckTone(std::string_view text, const ChannelRow& held) {
    const auto modes = {ToneMode::None, ToneMode::Ctcss, ToneMode::CdcssNormal,
                        ToneMode::CdcssInverted};
    for (const ToneMode mode : modes) {
        const auto entries = ToneEntries(mode);
        for (std::size_t e = 0; e < std::max<std::size_t>(entries.size(), 1); ++e) {
            const std::string listed = ToneResultText(mode, entries.empty() ? "" : entries[e]);
            if (listed == text) {
                return {Verdict::Kept, listed, {}};
            }
            if (EqualNoCase(listed, text)) {
                return {Verdict::Corrected, listed, "the tone is written " + listed};
            }
        }
    }
    const ToneBytes bytes = EncodeTone(text);
    if (text.empty() || DecodeTone(bytes.low, bytes.type) != text) {
        return Refused("not a tone (None, CTCSS:67.0, CDCSS:023N or CDCSS:023I)");
    }
    if (HoldsTone(held, text)) {
        return {Verdict::Kept, std::string(text), {}};
    }
    return Refused(Quoted(text) + " is not in the radio's " +
                   (text.starts_with("CTCSS") ? "CTCSS" : "CDCSS") + " list");
}

CellCheck CheckChoice(int col, std::string_view text) {
    for (const auto choice : ColumnChoices(col)) {
        if (choice.empty()) {
            continue;
        }
        if (choice == text) {
            return {Verdict::Kept, std::string(choice), {}};
        }
        if (EqualNoCase(choice, text)) {
            return {Verdict::Corrected, std::string(choice), "the list says " + Quoted(choice)};
        }
    }
    return Refused("not one of " + ChoicesText(col));
}

CellCheck CheckName(std::string_view text) {
    std::string upper;
    std::string dropped;
    bool lowerCase = false;
    for (const char c : text) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        // Every byte of a character beyond ASCII is outside the alphabet, so
        // such a character is dropped whole.
        if (NameCodeOf(letter) == kUnsetByte) {
            dropped.push_back(c);
            continue;
        }
        lowerCase = lowerCase || letter != c;
        upper.push_back(letter);
    }
    std::vector<std::string> reasons;
    if (!dropped.empty()) {
        reasons.push_back(Quoted(dropped) +
                          " dropped (not in the radio's alphabet: A-Z, 0-9, - and space)");
    }
    if (lowerCase) {
        reasons.emplace_back("upper-cased");
    }
    if (upper.size() > kNameLength) {
        upper.resize(kNameLength);
        reasons.emplace_back("cut to 8 characters");
    }
    if (reasons.empty()) {
        return {Verdict::Kept, upper, {}};
    }
    std::string reason;
    for (const std::string& part : reasons) {
        reason += (reason.empty() ? "" : ", ") + part;
    }
    return {Verdict::Corrected, upper, reason + ": " + Quoted(upper)};
}

}  // namespace torvan::csv
