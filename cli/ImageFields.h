#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/DecodedFile.h"

namespace torvan::cli {

// One thing the window shows about a file, with the image bytes its text is
// made from, so that show, show --json and diff speak the window's texts.
struct ImageField {
    std::string group;  // "Settings", "Side Key", "DTMF", "Radio", "Power Tuning", "Channel 5"
    std::string label;  // "TOT", "Side Key1 Short Press", "Rx Frequency", ...
    std::string text;
    std::vector<std::size_t> addresses;
};

// The settings panel (with the password) in the order the panel lists them.
std::vector<ImageField> SettingFields(DecodedFile& file);
// The option groups of the Side Key, DTMF and Radio dialogs and the six
// power tuning values.
std::vector<ImageField> OptionGroupFields(const MemoryImage& image);
// Columns 1 to 10 of every channel row (group "Channel N").
std::vector<ImageField> ChannelFields(DecodedFile& file);

}  // namespace torvan::cli
