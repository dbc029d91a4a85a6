#include "form/EditHistory.h"

#include <gtest/gtest.h>

#include "form/ImageCodec.h"
#include "form/MemoryForm.h"

namespace torvan {
namespace {

MemoryImage State(std::uint8_t mark) {
    MemoryImage image;
    image.ResetToNewDocument();
    image[0x100] = mark;
    return image;
}

// A file whose STE byte the form stores otherwise (0x7F as 0x7C), shown in
// a form: "changed" goes through the form's encoding, as the window's New,
// Open and Save take it.
TEST(EditHistoryTest, OnlyAChangeTheFormWouldStoreCounts) {
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
    EditHistory history;
    EXPECT_FALSE(history.Changed(shown())) << "nothing started: nothing to lose";
    ASSERT_NE(shown(), file);
    history.Start(shown());
    EXPECT_FALSE(history.Changed(shown())) << "just opened";
    form.SetPasswordText("12");
    EXPECT_TRUE(history.Changed(shown()));
    form.SetPasswordText("");
    EXPECT_FALSE(history.Changed(shown())) << "typed back by hand";
}

// Undo and redo walk the states; a new change drops what could be redone;
// the saved state is unchanged again whichever way it is reached; an equal
// state is no step; the oldest steps go past the limit.
TEST(EditHistoryTest, StepsSavedMarkAndLimit) {
    EditHistory history;
    history.Start(State(0));
    EXPECT_FALSE(history.Record(State(0), {"nothing", {}}));
    EXPECT_TRUE(history.Record(State(1), {"one", {3, 4, -1}}));
    EXPECT_TRUE(history.Record(State(2), {"two", {}}));
    history.MarkSaved(State(2));
    const auto undone = history.Undo();
    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->state, State(1));
    EXPECT_EQ(undone->step.label, "two");
    EXPECT_TRUE(history.Changed(undone->state)) << "undone past the save";
    const auto first = history.Undo();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->step.place.row, 3);
    EXPECT_FALSE(history.Undo()) << "nothing before the start";
    const auto redone = history.Redo();
    ASSERT_TRUE(redone);
    EXPECT_EQ(redone->state, State(1));
    EXPECT_EQ(redone->step.label, "one");
    EXPECT_EQ(history.Redo()->state, State(2));
    EXPECT_FALSE(history.Changed(State(2))) << "back at the saved state";
    history.Undo();
    EXPECT_TRUE(history.Record(State(9), {"nine", {}}));
    EXPECT_EQ(history.RedoCount(), 0U) << "a new change drops the redo";
    EXPECT_EQ(history.UndoCount(), 2U);

    for (int i = 0; i < 150; ++i) {
        history.Record(State(static_cast<std::uint8_t>(10 + i % 2)), {"toggle", {}});
    }
    EXPECT_EQ(history.UndoCount(), EditHistory::kMaxSteps);
    while (history.Undo()) {
    }
    EXPECT_EQ(history.Redo()->state, State(static_cast<std::uint8_t>(10 + 50 % 2)))
        << "the oldest 52 steps went";
    history.Start(State(0));
    EXPECT_EQ(history.UndoCount() + history.RedoCount(), 0U) << "New and Open start anew";
}

}  // namespace
}  // namespace torvan
