#include "model/TonePick.h"

#include <gtest/gtest.h>

namespace torvan {
namespace {

struct OpenCase {
    const char* text;
    ToneMode mode;
    const char* value;
    int entry;  // -1: not in the list
};

class ToneOpenTest : public testing::TestWithParam<OpenCase> {};

TEST_P(ToneOpenTest, ReadsModeAndPreselection) {
    const auto& c = GetParam();
    const ToneSelection selection = ParseToneSelection(c.text);
    EXPECT_EQ(selection.mode, c.mode) << c.text;
    EXPECT_EQ(selection.value, c.value) << c.text;
    EXPECT_EQ(FindToneEntry(selection.mode, selection.value).value_or(-1), c.entry) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ToneOpenTest,
    testing::Values(OpenCase{"None", ToneMode::None, "", -1},
                    OpenCase{"none", ToneMode::None, "", -1}, OpenCase{"", ToneMode::None, "", -1},
                    OpenCase{"CTCSS:67.0", ToneMode::Ctcss, "67.0", 0},
                    OpenCase{"CTCSS:254.1", ToneMode::Ctcss, "254.1", 49},
                    OpenCase{"CTCSS:68.0", ToneMode::Ctcss, "68.0", -1},
                    OpenCase{"CDCSS:023N", ToneMode::CdcssNormal, "023", 0},
                    OpenCase{"CDCSS:754I", ToneMode::CdcssInverted, "754", 104},
                    OpenCase{"CDCSS:05N", ToneMode::CdcssNormal, "05", -1},
                    // "None" only as the whole text; a capital N elsewhere means CDCSS.
                    OpenCase{"CTCSS:None", ToneMode::CdcssNormal, "", -1},
                    OpenCase{"cdcss:023n", ToneMode::None, "", -1},
                    OpenCase{"CTCSS", ToneMode::Ctcss, "", -1}));

}  // namespace
}  // namespace torvan
