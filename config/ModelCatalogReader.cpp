#include "config/ModelCatalogReader.h"

#include "model/Utf8Text.h"

namespace torvan {

ModelCatalog ReadModelCatalog(const IniStore& ini) {
    return ReadModelCatalogWarning(ini).catalog;
}

ModelCatalogRead ReadModelCatalogWarning(const IniStore& ini) {
    const ResultOf<IniSection> setup = ini.TryReadSection("Setup");
    if (!setup.ok) {
        return {{}, setup.error + "; the model lists are empty."};
    }
    return {ReadModelCatalog(setup.value), {}};
}

ModelCatalog ReadModelCatalog(const IniSection& setup) {
    ModelCatalog catalog;
    for (int i = 0; i < kMaxModels; ++i) {
        const std::string name = setup.Value("Type" + std::to_string(i));
        if (name.empty()) {
            break;
        }
        // Shown in the window and by torvan-cli alike, as UTF-8 whichever way
        // the file was saved; the file itself is never rewritten from these.
        catalog.push_back({ReadableUtf8(name),
                           SplitRanges(ReadableUtf8(setup.Value("Field" + std::to_string(i))))});
    }
    return catalog;
}

}  // namespace torvan
