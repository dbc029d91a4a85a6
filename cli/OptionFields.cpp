#include "cli/OptionFields.h"

#include "link/PowerTuning.h"

namespace torvan::cli {

std::vector<ImageField> OptionFields(const MemoryImage& image) {
    std::vector<ImageField> fields = OptionGroupFields(image);
    for (const LevelPointInfo& info : kLevelPoints) {
        fields.push_back({"Power Tuning",
                          std::string(info.label),
                          std::to_string(image[info.address]),
                          {info.address}});
    }
    return fields;
}

}  // namespace torvan::cli
