#include "form/SavedMark.h"

#include <gtest/gtest.h>

#include "form/ImageCodec.h"
#include "form/MemoryForm.h"

namespace torvan {
namespace {

// A file whose STE byte the form stores otherwise (0x7F as 0x7C), shown in
// a form; the mark and the questions go through the form's encoding, as
// the window's New, Open and Save take them.
TEST(SavedMarkTest, OnlyAChangeTheFormWouldStoreCounts) {
    MemoryImage file;
    file.ResetToNewDocument();
    file[0x811] = 0x7F;
    MemoryForm form;
    FrequencyLimits limits;
    DecodeImage(file, {}, form, limits);
    const auto shown = [&] {
        MemoryImage scratch = file;
        EncodeImage(form, limits, scratch);
        return scratch;
    };
    SavedMark mark;
    EXPECT_FALSE(mark.Changed(shown())) << "nothing marked: nothing to lose";
    ASSERT_NE(shown(), file);
    mark.Set(shown());
    EXPECT_FALSE(mark.Changed(shown())) << "just opened";
    form.SetPasswordText("12");
    EXPECT_TRUE(mark.Changed(shown()));
    form.SetPasswordText("");
    EXPECT_FALSE(mark.Changed(shown())) << "typed back by hand";
}

}  // namespace
}  // namespace torvan
