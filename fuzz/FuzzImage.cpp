// Any bytes as a channel-data image (a shorter input over a new document),
// and the bytes after the first 4096 as the Program.ini whose model profiles
// the settings panel offers: DecodeImage then EncodeImage keep every bit no
// encoder owns, and a second round changes nothing. (With range texts that do
// not read as their own limits, the Frequency Range position may move on the
// second round.) Everything stays in memory: loading the file is the file
// layer's own concern.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <span>
#include <string>

#include "config/IniText.h"
#include "config/ModelCatalogReader.h"
#include "form/ImageCodec.h"
#include "form/MemoryForm.h"
#include "fuzz/FuzzSupport.h"
#include "model/FrequencyLimits.h"
#include "model/Text.h"

namespace {

using namespace torvan;

// The bits DecodeImage then EncodeImage may change, per image offset; every
// other bit must come back as it was.
std::array<std::uint8_t, MemoryImage::kSize> OwnedBits() {
    std::array<std::uint8_t, MemoryImage::kSize> owned{};
    for (std::size_t slot = 0; slot < 128; ++slot) {
        std::fill_n(owned.data() + slot * 16, 12, 0xFF);
        owned[slot * 16 + 12] = 0x03;
        owned[slot * 16 + 13] = 0x3F;
    }
    std::fill(owned.data() + 0x840, owned.data() + 0x846, 0xFF);  // password
    std::fill(owned.data() + 0x850, owned.data() + 0xC60, 0xFF);  // names and scan bitmap
    owned[0x810] = 0x03;
    owned[0x811] = 0xC3;
    owned[0x812] = 0xC4;
    for (const std::size_t at :
         {0x813U, 0x814U, 0x815U, 0x819U, 0x81AU, 0xFD2U, 0xFD3U, 0xFF0U, 0xFF1U, 0xFF2U}) {
        owned[at] = 0xFF;
    }
    return owned;
}

// Eight bytes at once: the check should not cost more than the round trip.
std::uint64_t Word(std::span<const std::uint8_t, MemoryImage::kSize> bytes, std::size_t at) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    return word;
}

MemoryImage RoundTrip(const MemoryImage& image, const ModelCatalog& models) {
    // One form for every round, as the window keeps one form view: decoding
    // sets every list, the password and every channel cell.
    static MemoryForm form;
    MemoryImage result = image;
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
    static const auto owned = OwnedBits();
    MemoryImage image;
    image.ResetToNewDocument();
    const std::size_t length = std::min(size, MemoryImage::kSize);
    std::copy_n(data, length, image.bytes().begin());
    const ModelCatalog models =
        ReadModelCatalog(ReadIniSection(fuzz::AsText(data + length, size - length), "Setup"));

    const MemoryImage once = RoundTrip(image, models);
    std::uint64_t changed = 0;
    for (std::size_t at = 0; at < MemoryImage::kSize; at += 8) {
        changed |= (Word(once.bytes(), at) ^ Word(image.bytes(), at)) & ~Word(owned, at);
    }
    FUZZ_CHECK(changed == 0);
    MemoryImage twice = RoundTrip(once, models);
    if (!PlainRanges(models)) {
        twice[offset::kRangeIndex] = once[offset::kRangeIndex];
    }
    FUZZ_CHECK(twice == once);
    return 0;
}
