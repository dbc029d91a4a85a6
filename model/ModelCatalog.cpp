#include "model/ModelCatalog.h"

#include <algorithm>

namespace torvan {

std::vector<std::string> SplitRanges(const std::string& field) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start <= field.size()) {
        const std::size_t end = std::min(field.find(';', start), field.size());
        if (end > start) {
            entries.push_back(field.substr(start, end - start));
        }
        start = end + 1;
    }
    return entries;
}

}  // namespace torvan
