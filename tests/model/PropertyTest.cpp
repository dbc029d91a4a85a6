// Decode then encode of arbitrary images: every byte, and every bit, that no
// encoder owns must come back unchanged.
#include <gtest/gtest.h>

#include <random>

#include "model/ImageCodec.h"
#include "model/MemoryForm.h"
#include "tests/model/OwnedBits.h"

namespace torvan {
namespace {

using testing_support::OwnedBits;

TEST(DecodeEncodeProperty, UnownedBytesSurviveRandomImages) {
    const ModelCatalog models = {{"A", {"136-174MHz", "400-470MHz"}}};
    const auto owned = OwnedBits();
    std::mt19937 random(20261206);
    for (int round = 0; round < 100; ++round) {
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
