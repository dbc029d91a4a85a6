#include "model/TonePick.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace torvan {
namespace {

// A cell's text, the mode and value it opens with, and the list entry
// preselected (-1: none).
TEST(TonePick, ReadsModeAndPreselection) {
    // clang-format off
    const std::vector<std::tuple<const char*, ToneMode, const char*, int>> cases = {
        {"None", ToneMode::None, "", -1}, {"none", ToneMode::None, "", -1},
        {"", ToneMode::None, "", -1}, {"CTCSS:67.0", ToneMode::Ctcss, "67.0", 0},
        {"CTCSS:254.1", ToneMode::Ctcss, "254.1", 49}, {"CTCSS:68.0", ToneMode::Ctcss, "68.0", -1},
        {"CDCSS:023N", ToneMode::CdcssNormal, "023", 0},
        {"CDCSS:754I", ToneMode::CdcssInverted, "754", 104},
        {"CDCSS:05N", ToneMode::CdcssNormal, "05", -1},
        // "None" only as the whole text; a capital N elsewhere means CDCSS.
        {"CTCSS:None", ToneMode::CdcssNormal, "", -1}, {"cdcss:023n", ToneMode::None, "", -1},
        {"CTCSS", ToneMode::Ctcss, "", -1}};
    // clang-format on
    for (const auto& [text, mode, value, entry] : cases) {
        const ToneSelection selection = ParseToneSelection(text);
        EXPECT_EQ(selection.mode, mode) << text;
        EXPECT_EQ(selection.value, value) << text;
        EXPECT_EQ(FindToneEntry(selection.mode, selection.value).value_or(-1), entry) << text;
    }
}

}  // namespace
}  // namespace torvan
