#pragma once

#include <array>
#include <string>
#include <vector>

#include "form/CellTable.h"
#include "form/ImageFields.h"
#include "model/MemoryImage.h"
#include "model/ModelCatalog.h"

namespace torvan {

// What a printed channel plan shows, in the window's own texts.
struct PlanText {
    std::string title;  // the file's name, or "Untitled"
    std::string date;
    std::string model;
    std::string range;
    // The settings panel's label/value pairs, then the option groups with
    // the broadcast presets that are set.
    std::vector<ImageField> settings;
    std::vector<ImageField> options;
    // The grid's rows that hold a channel, the channel number first.
    std::vector<ChannelRow> channels;
};

// Decodes `image` as the window would with `models` (from Program.ini).
PlanText ReadPlanText(const MemoryImage& image, const ModelCatalog& models, std::string title,
                      std::string date);

}  // namespace torvan
