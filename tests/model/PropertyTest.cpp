// Decode then encode of arbitrary images: every byte, and every bit, that no
// encoder owns must come back unchanged.
#include <gtest/gtest.h>

#include <random>

#include "model/ImageCodec.h"
#include "model/MemoryForm.h"
#include "tests/TempDir.h"

namespace torvan {
namespace {

// Bits each encoder may write, per image offset.
std::array<std::uint8_t, MemoryImage::kSize> OwnedBits() {
    std::array<std::uint8_t, MemoryImage::kSize> owned{};
    for (std::size_t slot = 0; slot < 128; ++slot) {
        for (std::size_t i = 0; i < 12; ++i) {
            owned[slot * 16 + i] = 0xFF;
        }
        owned[slot * 16 + 12] = 0x03;
        owned[slot * 16 + 13] = 0x3F;
    }
    for (std::size_t at = 0x850; at < 0xC60; ++at) {
        owned[at] = 0xFF;  // names and scan bitmap
    }
    owned[0x810] = 0x03;
    owned[0x811] = 0xC3;
    owned[0x812] = 0xC4;
    for (const std::size_t at :
         {0x813U, 0x814U, 0x815U, 0x819U, 0x81AU, 0xFD2U, 0xFD3U, 0xFF0U, 0xFF1U, 0xFF2U}) {
        owned[at] = 0xFF;
    }
    for (std::size_t at = 0x840; at < 0x846; ++at) {
        owned[at] = 0xFF;
    }
    return owned;
}

TEST(DecodeEncodeProperty, UnownedBytesSurviveRandomImages) {
    const ModelCatalog models = {{"A", {"136-174MHz", "400-470MHz"}}};
    const auto owned = OwnedBits();
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        MemoryImage image;
        for (auto& byte : image.bytes()) {
            byte = static_cast<std::uint8_t>(random());
        }
        const MemoryImage before = image;
        MemoryForm form;
        FrequencyLimits limits;
        DecodeImage(image, models, form, limits);
        EncodeImage(form, limits, image);
        for (std::size_t at = 0; at < MemoryImage::kSize; ++at) {
            const auto keep = static_cast<std::uint8_t>(~owned[at]);
            ASSERT_EQ(image[at] & keep, before[at] & keep) << "round " << round << " offset " << at;
        }
    }
}

}  // namespace
}  // namespace torvan
