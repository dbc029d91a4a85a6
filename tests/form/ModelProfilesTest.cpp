#include "form/ModelProfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

#include "form/ImageCodec.h"
#include "form/MemoryForm.h"

namespace torvan {
namespace {

const ModelCatalog kTwoModels = {
    {"Alpha", {"136-174MHz", "144-148MHz"}},
    {"Beta", {"400-470MHz", "136-174"}},
};

class ModelProfilesTest : public testing::Test {
protected:
    ModelProfilesTest() { image_.ResetToNewDocument(); }

    void Decode() { DecodeImage(image_, kTwoModels, form_, limits_); }
    ChoiceList& Models() { return form_.List(Setting::Model); }
    ChoiceList& Ranges() { return form_.List(Setting::FrequencyRange); }

    MemoryImage image_;
    MemoryForm form_;
    FrequencyLimits limits_;
};

TEST_F(ModelProfilesTest, StoredPositionsSelectEntriesAndFallBack) {
    image_[0xFD3] = 1;
    image_[0xFD2] = 1;
    Decode();
    EXPECT_EQ(Models().SelectedText(), "Beta");
    EXPECT_EQ(Ranges().SelectedText(), "136-174");

    image_[0xFD3] = 5;  // beyond the list: first model
    image_[0xFD2] = 9;  // beyond the list: nothing selected
    Decode();
    EXPECT_EQ(Models().Selected(), 0);
    EXPECT_EQ(Ranges().Selected(), ChoiceList::kNone);
    EncodeImage(form_, limits_, image_);
    EXPECT_EQ(image_[0xFD2], 0);
}

TEST_F(ModelProfilesTest, SelectionChangesTakeLimits) {
    Decode();
    Ranges().Select(1);
    OnRangeChanged(form_, limits_);
    EXPECT_EQ(limits_, (FrequencyLimits{14400000, 14800000}));

    Models().Select(1);
    OnModelChanged(kTwoModels, form_, limits_);
    EXPECT_EQ(Ranges().Selected(), 0);
    EXPECT_EQ(limits_, (FrequencyLimits{40000000, 47000000}));

    Ranges().Select(1);  // "136-174": limits, though the band step cannot find it again
    OnRangeChanged(form_, limits_);
    EXPECT_EQ(limits_, (FrequencyLimits{13600000, 17400000}));
}

// A band signature a range names selects that range, whatever the stored
// position; another usable band shows the first range and gives its own
// limits. Without a usable band, whatever image was shown before, the limits
// are those of the range shown now. The band signature, the stored model
// and range positions, the range shown, the limits.
TEST_F(ModelProfilesTest, TheBandOrTheShownRangeGivesTheLimits) {
    using Band = std::array<std::uint8_t, 3>;
    const std::vector<std::tuple<Band, std::uint8_t, std::uint8_t, const char*, FrequencyLimits>>
        cases = {
            {{0x13, 0x17, 0x64}, 0, 1, "136-174MHz", {13600000, 17400000}},
            {{0x40, 0x47, 0x00}, 0, 1, "136-174MHz", {40000000, 47000000}},
            {{0xFF, 0xFF, 0xFF}, 0, 0, "136-174MHz", {13600000, 17400000}},
            {{0x13, 0xFF, 0x64}, 0, 1, "144-148MHz", {14400000, 14800000}},
            {{0x00, 0x00, 0x00}, 0, 1, "144-148MHz", {14400000, 14800000}},
            {{0x47, 0x40, 0x00}, 1, 1, "136-174", {13600000, 17400000}},
            {{0x14, 0x14, 0x55}, 0, 0, "136-174MHz", {13600000, 17400000}},
            {{0xFF, 0xFF, 0xFF}, 0, 9, "", {13600000, 17400000}},
            // Digits above 9 reading as 845-1653 MHz: beyond what a signature or a
            // stored frequency holds.
            {{0x7E, 0xFE, 0x5D}, 0, 1, "144-148MHz", {14400000, 14800000}},
        };
    for (const auto& [band, model, range, shown, limits] : cases) {
        std::copy(band.begin(), band.end(), image_.bytes().begin() + 0xFF0);
        image_[0xFD3] = model;
        image_[0xFD2] = range;
        limits_ = FrequencyLimits{40000000, 47000000};
        Decode();
        EXPECT_EQ(Ranges().SelectedText(), shown) << int(band[0]);
        EXPECT_EQ(limits_, limits) << int(band[0]);
    }
}

TEST(ModelProfiles, NoModelsLeavesListsEmptyAndStaysUsable) {
    const ModelCatalog none;
    MemoryImage image;
    image.ResetToNewDocument();
    MemoryForm form;
    FrequencyLimits limits{40000000, 47000000};
    DecodeImage(image, none, form, limits);
    EXPECT_EQ(limits, FrequencyLimits{});
    EXPECT_EQ(form.List(Setting::Model).Count(), 0);
    EXPECT_EQ(form.List(Setting::FrequencyRange).Selected(), ChoiceList::kNone);
    OnModelChanged(none, form, limits);
    OnRangeChanged(form, limits);
    EXPECT_EQ(limits, FrequencyLimits{});
}

TEST(RangeText, OnlyTwoWholeNumbersJoinedByAHyphenGiveLimits) {
    // clang-format off
    const std::vector<std::pair<const char*, FrequencyLimits>> accepted = {
        {"136-174MHz", {13600000, 17400000}}, {"136-174", {13600000, 17400000}},
        {" 144-148 MHz wide", {14400000, 14800000}}, {"0-999MHz", {0, 99900000}}};
    // clang-format on
    for (const auto& [text, limits] : accepted) {
        EXPECT_EQ(LimitsFromRangeText(text), limits) << text;
    }
    for (const char* text : {"", "abc", "136", "136 -174", "136.5-174", "-136-174", "1000-2000MHz",
                             "99999999999-1", "0-0MHz", "470-400MHz"}) {
        EXPECT_EQ(LimitsFromRangeText(text), std::nullopt) << text;
    }
}

TEST(ChoiceList, PrefixSearchWrapsFromTheSecondEntry) {
    MemoryForm form;
    ChoiceList& sql = form.List(Setting::Sql);  // "0".."9"
    sql.SelectByPrefix("0", PrefixSearch::FromSecond);
    EXPECT_EQ(sql.Selected(), 0);  // found only after wrapping
    sql.SelectByPrefix("", PrefixSearch::FromSecond);
    EXPECT_EQ(sql.Selected(), 1);
    ChoiceList& ste = form.List(Setting::Ste);
    ste.SelectByPrefix("240 PHASE", PrefixSearch::FromFirst);
    EXPECT_EQ(ste.SelectedText(), "240 phase shift");
    ste.SelectByPrefix("nothing", PrefixSearch::FromFirst);
    EXPECT_EQ(ste.Selected(), 0);
}

}  // namespace
}  // namespace torvan
