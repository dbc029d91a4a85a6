#include "model/ModelProfiles.h"

#include <gtest/gtest.h>

#include "model/ImageCodec.h"
#include "model/MemoryForm.h"

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
    void SetBand(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
        image_[0xFF0] = a;
        image_[0xFF1] = b;
        image_[0xFF2] = c;
    }

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

TEST_F(ModelProfilesTest, BandSignatureSelectsItsRangeWhateverThePosition) {
    image_[0xFD2] = 1;
    SetBand(0x13, 0x17, 0x64);
    limits_ = FrequencyLimits{1, 2};
    Decode();
    EXPECT_EQ(Ranges().SelectedText(), "136-174MHz");
    EXPECT_EQ(limits_, (FrequencyLimits{13600000, 17400000}));
}

TEST_F(ModelProfilesTest, UnknownBandShowsFirstRangeButTakesItsLimits) {
    SetBand(0x40, 0x47, 0x00);
    Decode();
    EXPECT_EQ(Ranges().Selected(), 0);
    EXPECT_EQ(limits_, (FrequencyLimits{40000000, 47000000}));
}

TEST_F(ModelProfilesTest, UnsetBandKeepsThePreviousLimits) {
    limits_ = FrequencyLimits{14400000, 14800000};
    SetBand(0x13, 0xFF, 0x64);
    Decode();
    EXPECT_EQ(limits_, (FrequencyLimits{14400000, 14800000}));
}

TEST(ModelProfiles, NoModelsLeavesListsEmptyAndStaysUsable) {
    const ModelCatalog none;
    MemoryImage image;
    image.ResetToNewDocument();
    MemoryForm form;
    FrequencyLimits limits;
    DecodeImage(image, none, form, limits);
    EXPECT_EQ(form.List(Setting::Model).Count(), 0);
    EXPECT_EQ(form.List(Setting::FrequencyRange).Selected(), ChoiceList::kNone);
    OnModelChanged(none, form, limits);
    OnRangeChanged(form, limits);
    EXPECT_EQ(limits, FrequencyLimits{});
}

struct RangeTextCase {
    const char* text;
    bool accepted;
    FrequencyLimits limits;
};

class RangeTextTest : public testing::TestWithParam<RangeTextCase> {};

TEST_P(RangeTextTest, OnlyTwoWholeNumbersJoinedByAHyphenGiveLimits) {
    const auto parsed = LimitsFromRangeText(GetParam().text);
    ASSERT_EQ(parsed.has_value(), GetParam().accepted) << GetParam().text;
    if (parsed) {
        EXPECT_EQ(*parsed, GetParam().limits);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RangeTextTest,
    testing::Values(RangeTextCase{"136-174MHz", true, {13600000, 17400000}},
                    RangeTextCase{"136-174", true, {13600000, 17400000}},
                    RangeTextCase{" 144-148 MHz wide", true, {14400000, 14800000}},
                    RangeTextCase{"0-999MHz", true, {0, 99900000}}, RangeTextCase{"", false, {}},
                    RangeTextCase{"abc", false, {}}, RangeTextCase{"136", false, {}},
                    RangeTextCase{"136 -174", false, {}}, RangeTextCase{"136.5-174", false, {}},
                    RangeTextCase{"-136-174", false, {}}, RangeTextCase{"1000-2000MHz", false, {}},
                    RangeTextCase{"99999999999-1", false, {}}));

TEST(ChoiceList, PrefixSearchWrapsFromTheSecondEntry) {
    MemoryForm form;
    ChoiceList& sql = form.List(Setting::Sql);  // "0".."9"
    sql.SelectByPrefix("0", true);
    EXPECT_EQ(sql.Selected(), 0);  // found only after wrapping
    sql.SelectByPrefix("", true);
    EXPECT_EQ(sql.Selected(), 1);
    ChoiceList& ste = form.List(Setting::Ste);
    ste.SelectByPrefix("240 PHASE", false);
    EXPECT_EQ(ste.SelectedText(), "240 phase shift");
    ste.SelectByPrefix("nothing", false);
    EXPECT_EQ(ste.Selected(), 0);
}

}  // namespace
}  // namespace torvan
