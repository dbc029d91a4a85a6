#pragma once

#include <string>
#include <vector>

namespace torvan {

// One model the settings panel offers, with its frequency-range texts.
struct ModelEntry {
    std::string name;
    std::vector<std::string> ranges;
    friend bool operator==(const ModelEntry&, const ModelEntry&) = default;
};

// The models in the order the Model list shows them (at most 20).
using ModelCatalog = std::vector<ModelEntry>;

inline constexpr int kMaxModels = 20;

// The ";"-separated entries of a range field, empty entries dropped.
std::vector<std::string> SplitRanges(const std::string& field);

}  // namespace torvan
