// Any bytes as a channel-data file: it loads only when it holds 4096 bytes or
// more, and DecodeImage then EncodeImage keep every bit no encoder owns; a
// second round changes nothing. Bytes after the first 4096 serve as the
// Program.ini whose model profiles the settings panel offers.
#include <cstddef>
#include <cstdint>

#include "config/IniStore.h"
#include "config/ModelCatalogReader.h"
#include "fuzz/FuzzSupport.h"
#include "model/ChannelFile.h"
#include "model/ImageCodec.h"
#include "model/MemoryForm.h"
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
    FUZZ_CHECK(RoundTrip(once, models) == once);
    return 0;
}
