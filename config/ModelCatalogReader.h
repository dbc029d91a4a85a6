#pragma once

#include "config/IniStore.h"
#include "model/ModelCatalog.h"

namespace torvan {

// The model profiles of Program.ini's [Setup] section, read in one pass:
// "Type0", "Type1", ... name the models until the first empty one, and
// "FieldN" lists model N's ranges separated by ";". Texts come as UTF-8:
// a file saved in Windows-1252 is read as such.
ModelCatalog ReadModelCatalog(const IniStore& ini);
// The same, with a warning when Program.ini cannot be read: "cannot read
// PATH: REASON; the model lists are empty." (empty when it was read).
struct ModelCatalogRead {
    ModelCatalog catalog;
    std::string warning;
};
ModelCatalogRead ReadModelCatalogWarning(const IniStore& ini);
// The same from the [Setup] section as read.
ModelCatalog ReadModelCatalog(const IniSection& setup);

}  // namespace torvan
