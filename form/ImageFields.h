#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "form/ChannelCodec.h"
#include "form/FormControls.h"
#include "model/MemoryImage.h"

namespace torvan {

// One thing the window shows about a file, with the image bytes its text is
// made from, so that every listing of a file (show, diff, the printed plan)
// speaks the window's texts.
struct ImageField {
    std::string group;  // "Settings", "Side Key", "DTMF", "Radio", "Channel 5"
    std::string label;  // "TOT", "Side Key1 Short Press", "Rx Frequency", ...
    std::string text;
    std::vector<std::size_t> addresses;
};

// The settings panel (with the password) in the order the panel lists them.
std::vector<ImageField> SettingFields(FormControls& form);
// The option groups of the Side Key, DTMF and Radio dialogs, every broadcast
// preset included.
std::vector<ImageField> OptionGroupFields(const MemoryImage& image);
// A broadcast preset that is not set, which the plain listings (show, the
// printed plan) leave out; diff and JSON keep every preset.
bool IsUnsetPreset(const ImageField& field);
// Columns 1 to 10 of every channel row (group "Channel N").
std::vector<ImageField> ChannelFields(FormControls& form);

// The rows that hold a channel (a receive frequency) as the grid shows them.
std::vector<ChannelRow> ChannelRows(FormControls& form);

}  // namespace torvan
