// Any bytes as a channel-data file: it loads only when it holds 4096 bytes or
// more, and DecodeImage then EncodeImage keep every bit no encoder owns; a
// second round changes nothing. Bytes after the first 4096 serve as the
// Program.ini whose model profiles the settings panel offers. (With range
// texts that do not read as their own limits, the Frequency Range position
// may move on the second round.)
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "config/IniStore.h"
#include "config/ModelCatalogReader.h"
#include "fuzz/FuzzSupport.h"
#include "model/ChannelFile.h"
#include "model/ImageCodec.h"
#include "model/FrequencyLimits.h"
#include "model/MemoryForm.h"
#include "model/Text.h"
#include "tests/model/OwnedBits.h"

namespace {

using namespace torvan;

MemoryImage RoundTrip(const MemoryImage& image, const ModelCatalog& models) {
    MemoryImage result = image;
    MemoryForm form;
    FrequencyLimits limits;
    DecodeImage(result, models, form, limits);
    EncodeImage(form, limits, result);
    return result;
}

// Whether every range text of every model begins with its own limits as
// "LOWER-UPPERMHz" and no two ranges of a model share them. Otherwise the
// band a save writes may find another entry of the Frequency Range list on
// the next open (the first whose text begins with it, or the first of all),
// so the list's stored position may move once.
bool PlainRanges(const ModelCatalog& models) {
    for (const ModelEntry& model : models) {
        std::set<std::string> seen;
        for (const std::string& range : model.ranges) {
            const auto limits = LimitsFromRangeText(range);
            if (!limits) {
                return false;
            }
            const std::string canonical = std::to_string(limits->lower / 100000) + "-" +
                                          std::to_string(limits->upper / 100000) + "MHz";
            if (!StartsWithNoCase(range, canonical) || !seen.insert(canonical).second) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto owned = testing_support::OwnedBits();
    const auto& scratch = fuzz::ScratchFolder::Get();
    const auto file = scratch / "in.sin";
    fuzz::WriteWholeFile(file, fuzz::AsText(data, size));

    MemoryImage image;
    image.ResetToNewDocument();
    const MemoryImage before = image;
    const Result loaded = LoadChannelFile(file, image);
    if (size < MemoryImage::kSize) {
        FUZZ_CHECK(!loaded.ok && !loaded.error.empty());
        FUZZ_CHECK(image == before);
        return 0;
    }
    FUZZ_CHECK(loaded.ok);
    FUZZ_CHECK(std::equal(image.bytes().begin(), image.bytes().end(), data));

    const auto ini = scratch / "Program.ini";
    fuzz::WriteWholeFile(ini, fuzz::AsText(data + MemoryImage::kSize, size - MemoryImage::kSize));
    const ModelCatalog models = ReadModelCatalog(IniStore(ini));

    const MemoryImage once = RoundTrip(image, models);
    for (std::size_t at = 0; at < MemoryImage::kSize; ++at) {
        const auto keep = static_cast<std::uint8_t>(~owned[at]);
        FUZZ_CHECK((once[at] & keep) == (image[at] & keep));
    }
    MemoryImage twice = RoundTrip(once, models);
    if (!PlainRanges(models)) {
        twice[offset::kRangeIndex] = once[offset::kRangeIndex];
    }
    FUZZ_CHECK(twice == once);
    return 0;
}
