#include "config/ModelCatalogReader.h"

namespace torvan {

ModelCatalog ReadModelCatalog(const IniStore& ini) {
    const IniSection setup = ini.ReadSection("Setup");
    ModelCatalog catalog;
    for (int i = 0; i < kMaxModels; ++i) {
        const std::string name = setup.Value("Type" + std::to_string(i));
        if (name.empty()) {
            break;
        }
        catalog.push_back({name, SplitRanges(setup.Value("Field" + std::to_string(i)))});
    }
    return catalog;
}

}  // namespace torvan
