#include "form/ChannelEdits.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "form/ChannelCodec.h"
#include "form/MemoryCellTable.h"

namespace torvan {
namespace {

using Texts = std::vector<std::string>;
const FrequencyLimits k136to174{13600000, 17400000};

// Scaled exactly, clamped into the limits, then moved down onto the 5 kHz or
// the 6.25 kHz raster, whichever is nearer below.
TEST(CommittedFrequencyText, ClampsThenSnaps) {
    const FrequencyLimits k144to148{14400000, 14800000};
    // clang-format off
    const std::vector<std::tuple<const char*, FrequencyLimits, const char*>> cases = {
        {"145.1234567", k136to174, "145.12000"}, {"146.00625", k136to174, "146.00625"},
        {"146.0025", k136to174, "146.00000"}, {"146.0062", k136to174, "146.00500"},
        {"136.0125", k136to174, "136.01250"}, {"100", k136to174, "136.00000"},
        {"999", k136to174, "174.00000"}, {"99999999999", k136to174, "174.00000"},
        {"150", k144to148, "148.00000"}, {"0", k136to174, ""}, {".", k136to174, ""},
        {"", k136to174, ""}, {"0.000001", k136to174, ""},
        // A limit off the raster is still snapped down onto it.
        {"100", {13600100, 17400000}, "136.00000"}};
    // clang-format on
    for (const auto& [typed, limits, committed] : cases) {
        EXPECT_EQ(CommittedFrequencyText(typed, limits), committed) << typed;
    }
}

// An empty row takes nothing but a receive frequency, which brings the
// new-channel defaults; later commits change only their cell; an empty
// receive frequency empties the row.
TEST(GridEdit, TheReceiveFrequencyMakesAndEmptiesTheRow) {
    MemoryCellTable grid;
    CommitFrequency(grid, 3, column::kTxFrequency, "145.5", k136to174);
    CommitChoiceCell(grid, 3, column::kTxPower, "Low");
    CommitChoiceCell(grid, 3, column::kName, "X");
    EXPECT_EQ(GridRow(grid, 3), ChannelRow{});
    CommitFrequency(grid, 3, column::kRxFrequency, "145.1234567", k136to174);
    EXPECT_EQ(GridRow(grid, 3), (ChannelRow{"", "145.12000", "145.12000", "None", "None", "Off",
                                            "High", "Wide", "Yes", "Off", ""}));
    CommitChoiceCell(grid, 3, column::kName, "HOME");
    CommitFrequency(grid, 3, column::kRxFrequency, "146", k136to174);
    CommitFrequency(grid, 3, column::kTxFrequency, "", k136to174);
    EXPECT_EQ(GridRow(grid, 3), (ChannelRow{"", "146.00000", "", "None", "None", "Off", "High",
                                            "Wide", "Yes", "Off", "HOME"}));
    CommitFrequency(grid, 3, column::kRxFrequency, "0", k136to174);
    EXPECT_EQ(GridRow(grid, 3), ChannelRow{});
}

TEST(GridEdit, AddAndDeleteShiftRowsAtTheEdges) {
    MemoryCellTable grid;
    for (int row = 1; row <= 128; ++row) {
        grid.SetTextMatrix(row, column::kRxFrequency, "145.00000");
        grid.SetTextMatrix(row, column::kName, std::to_string(row));
    }
    const auto names = [&grid](std::initializer_list<int> rows) {
        Texts texts;
        for (const int row : rows) {
            texts.push_back(grid.TextMatrix(row, column::kName));
        }
        return texts;
    };
    InsertChannel(grid, 3);
    EXPECT_EQ(GridRow(grid, 3), ChannelRow{});
    EXPECT_EQ(names({2, 4, 128}), (Texts{"2", "3", "127"}));  // old 128 is gone
    DeleteChannel(grid, 3);
    EXPECT_EQ(names({3, 127}), (Texts{"3", "127"}));
    EXPECT_EQ(GridRow(grid, 128), ChannelRow{});
    DeleteChannel(grid, 128);
    InsertChannel(grid, 128);
    EXPECT_EQ(GridRow(grid, 128), ChannelRow{});
    InsertChannel(grid, 1);
    EXPECT_EQ(GridRow(grid, 1), ChannelRow{});
    EXPECT_EQ(names({0, 2}), (Texts{"", "1"}));  // header row untouched
}

}  // namespace
}  // namespace torvan
