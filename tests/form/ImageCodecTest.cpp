#include "form/ImageCodec.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>
#include <vector>

#include "form/ChannelCodec.h"
#include "form/MemoryForm.h"

namespace torvan {
namespace {

class ImageCodecTest : public testing::Test {
protected:
    void Decode() { DecodeImage(image_, {}, form_, limits_); }
    void Encode() { EncodeImage(form_, limits_, image_); }
    std::string Shown(Setting setting) { return form_.List(setting).SelectedText(); }

    MemoryImage image_;
    MemoryForm form_;
    FrequencyLimits limits_;
};

// The offset, the byte found there, the setting and what it shows, the byte
// stored again.
TEST_F(ImageCodecTest, SettingsShowThenStoreWhatIsSelected) {
    // clang-format off
    const std::vector<std::tuple<std::size_t, int, Setting, const char*, int>> cases = {
        {0x814, 10, Setting::Tot, "300", 10}, {0x814, 11, Setting::Tot, "Off", 0},
        {0x814, 1, Setting::Tot, "30", 1}, {0x813, 12, Setting::Sql, "0", 0},
        {0x813, 9, Setting::Sql, "9", 9}, {0x813, 0, Setting::Sql, "0", 0},
        {0x815, 0, Setting::VoxLevel, "Off", 0}, {0x815, 9, Setting::VoxLevel, "9", 9},
        {0x815, 10, Setting::VoxLevel, "Off", 0}, {0x819, 10, Setting::EndRoger, "10", 10},
        {0x819, 11, Setting::EndRoger, "Off", 0},
        {0x81A, 128, Setting::PriorityChannel, "128", 128},
        {0x81A, 0x90, Setting::PriorityChannel, "None", 0},
        {0x81A, 0, Setting::PriorityChannel, "None", 0},
        {0x810, 0x83, Setting::FrequencyMode, "Channel", 0x80},
        {0x810, 0x7D, Setting::FrequencyMode, "Frequency", 0x7D},
        {0x810, 0x02, Setting::FrequencyMode, "Memory", 0x02},
        {0x811, 0x00, Setting::Ste, "120  phase shift", 0x00},
        {0x811, 0x7F, Setting::Ste, "180 phase shift", 0x7C},
        {0x811, 0xC1, Setting::ScanMode, "CO", 0xC1}, {0x811, 0x06, Setting::ScanMode, "SE", 0x06},
        {0x812, 0x3B, Setting::Beep, "Off", 0x3B}, {0x812, 0x40, Setting::BatterySave, "Off", 0x40},
        {0x812, 0x80, Setting::LockChannelMode, "On", 0x80}};
    // clang-format on
    for (const auto& [at, stored, setting, shown, storedAgain] : cases) {
        image_.ResetToNewDocument();
        image_[at] = static_cast<std::uint8_t>(stored);
        Decode();
        EXPECT_EQ(Shown(setting), shown) << at << " " << stored;
        Encode();
        EXPECT_EQ(image_[at], storedAgain) << at << " " << stored;
    }
}

using Password = std::array<std::uint8_t, 6>;

TEST_F(ImageCodecTest, PasswordKeepsDigitsOnly) {
    // clang-format off
    const std::vector<std::tuple<Password, const char*, const char*, Password>> cases = {
        {{0x31, 0xFF, 0x32, 0x33, 0xFF, 0xFF}, "123", "123", {0x31, 0x32, 0x33, 0xFF, 0xFF, 0xFF}},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "", "", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {{0x39, 0x38, 0x37, 0x36, 0x35, 0x34}, "987654", "12a",
         {0x31, 0x32, 0x30, 0xFF, 0xFF, 0xFF}},
        {{0x00, 0x3A, 0x2F, 0x30, 0x30, 0x30}, "000", "12345678",
         {0x31, 0x32, 0x33, 0x34, 0x35, 0x36}}};
    // clang-format on
    for (const auto& [stored, shown, typed, storedAgain] : cases) {
        std::copy(stored.begin(), stored.end(), image_.bytes().begin() + 0x840);
        Decode();
        EXPECT_EQ(form_.PasswordText(), shown);
        form_.SetPasswordText(typed);
        Encode();
        const auto bytes = image_.Span(0x840, 6);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), storedAgain.begin())) << typed;
    }
}

// Records when the open-editor hook runs relative to the other steps.
class HookedForm final : public FormControls {
public:
    ChoiceList& List(Setting s) override { return inner.List(s); }
    CellTable& Grid() override { return inner.Grid(); }
    std::string PasswordText() const override { return inner.PasswordText(); }
    void SetPasswordText(const std::string& t) override { inner.SetPasswordText(t); }
    void CommitOpenEditor() override { hook(); }

    MemoryForm inner;
    std::function<void()> hook = [] {};
};

TEST_F(ImageCodecTest, OpenEditorCommitsBeforeChannelsAfterThePasswordIsTaken) {
    HookedForm form;
    DecodeImage(image_, {}, form, limits_);
    form.SetPasswordText("1");
    form.hook = [&] {
        form.Grid().SetTextMatrix(3, column::kRxFrequency, "145.5");
        form.SetPasswordText("999");
    };
    EncodeImage(form, limits_, image_);
    EXPECT_EQ(image_[2 * 16 + 3], 0x14);  // channel 3 stored
    EXPECT_EQ(image_[0x840], 0x31);
    EXPECT_EQ(image_[0x841], 0xFF);
}

// The band signature holds the limits' whole megahertz digits.
TEST_F(ImageCodecTest, BandSignatureStoresAndReadsTheLimits) {
    // clang-format off
    const std::vector<std::pair<FrequencyLimits, std::array<std::uint8_t, 3>>> cases = {
        {{13600000, 17400000}, {0x13, 0x17, 0x64}}, {{40000000, 47000000}, {0x40, 0x47, 0x00}},
        {{14412500, 14899999}, {0x14, 0x14, 0x48}}, {{0, 99900000}, {0x00, 0x99, 0x09}}};
    // clang-format on
    for (const auto& [limits, signature] : cases) {
        limits_ = limits;
        Encode();
        const auto sig = image_.Span(0xFF0, 3);
        EXPECT_TRUE(std::equal(sig.begin(), sig.end(), signature.begin())) << limits.lower;
        limits_ = FrequencyLimits{1, 2};
        Decode();
        EXPECT_EQ(limits_.lower, limits.lower / 100000 * 100000);
        EXPECT_EQ(limits_.upper, limits.upper / 100000 * 100000);
    }
}

}  // namespace
}  // namespace torvan
