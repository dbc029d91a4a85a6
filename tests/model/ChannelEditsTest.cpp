#include "model/ChannelEdits.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/ChannelCodec.h"
#include "model/MemoryCellTable.h"

namespace torvan {
namespace {

using Row = std::vector<std::string>;

Row RowOf(const CellTable& grid, int row) {
    Row texts;
    for (int col = 1; col <= 10; ++col) {
        texts.push_back(grid.TextMatrix(row, col));
    }
    return texts;
}

const Row kEmpty(10, "");
const FrequencyLimits k136to174{13600000, 17400000};

struct TypedCase {
    const char* typed;
    FrequencyLimits limits;
    const char* committed;
};

class TypedFrequencyTest : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedFrequencyTest, ClampsThenSnaps) {
    EXPECT_EQ(CommittedFrequencyText(GetParam().typed, GetParam().limits), GetParam().committed)
        << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(Typed, TypedFrequencyTest,
                         testing::Values(TypedCase{"145.1234567", k136to174, "145.12000"},
                                         TypedCase{"146.00625", k136to174, "146.00625"},
                                         TypedCase{"146.0025", k136to174, "146.00000"},
                                         TypedCase{"145.125", k136to174, "145.12500"},
                                         TypedCase{"136.0125", k136to174, "136.01250"},
                                         TypedCase{"100", k136to174, "136.00000"},
                                         TypedCase{"999", k136to174, "174.00000"},
                                         TypedCase{"99999999999", k136to174, "174.00000"},
                                         TypedCase{"150", {14400000, 14800000}, "148.00000"},
                                         TypedCase{"0", k136to174, ""},
                                         TypedCase{".", k136to174, ""},
                                         TypedCase{"", k136to174, ""},
                                         TypedCase{"0.000001", k136to174, ""},
                                         // A limit off the raster is still snapped down onto it.
                                         TypedCase{"100", {13600100, 17400000}, "136.00000"}));

TEST(SnapToStep, SubtractsTheSmallerRemainder) {
    EXPECT_EQ(SnapToStep(14512345), 14512000U);  // remainders 345 and 470
    EXPECT_EQ(SnapToStep(14600625), 14600625U);
    EXPECT_EQ(SnapToStep(14600500), 14600500U);
    EXPECT_EQ(SnapToStep(14600620), 14600500U);  // 120 and 620
    EXPECT_EQ(SnapToStep(0), 0U);
}

class GridEditTest : public testing::Test {
protected:
    void Fill(int row, const std::string& freq) {
        CommitFrequency(grid_, row, column::kRxFrequency, freq, k136to174);
    }
    MemoryCellTable grid_;
};

TEST_F(GridEditTest, FirstReceiveFrequencyGivesNewChannelDefaults) {
    Fill(4, "145.1234567");
    EXPECT_EQ(RowOf(grid_, 4), (Row{"145.12000", "145.12000", "None", "None", "Off", "High", "Wide",
                                    "Yes", "Off", ""}));
}

TEST_F(GridEditTest, LaterCommitsChangeOnlyTheirCell) {
    Fill(1, "145.5");
    CommitChoiceCell(grid_, 1, column::kName, "HOME");
    CommitFrequency(grid_, 1, column::kRxFrequency, "146", k136to174);
    CommitFrequency(grid_, 1, column::kTxFrequency, "", k136to174);
    EXPECT_EQ(RowOf(grid_, 1),
              (Row{"146.00000", "", "None", "None", "Off", "High", "Wide", "Yes", "Off", "HOME"}));
}

TEST_F(GridEditTest, ClearingTheReceiveFrequencyEmptiesTheRow) {
    Fill(2, "145.5");
    CommitFrequency(grid_, 2, column::kRxFrequency, "0", k136to174);
    EXPECT_EQ(RowOf(grid_, 2), kEmpty);
}

TEST_F(GridEditTest, EmptyRowsTakeNothingButAReceiveFrequency) {
    CommitFrequency(grid_, 3, column::kTxFrequency, "145.5", k136to174);
    CommitChoiceCell(grid_, 3, column::kTxPower, "Low");
    CommitChoiceCell(grid_, 3, column::kName, "X");
    EXPECT_EQ(RowOf(grid_, 3), kEmpty);
}

TEST_F(GridEditTest, AddAndDeleteShiftRowsAtTheEdges) {
    for (int row = 1; row <= 128; ++row) {
        Fill(row, std::to_string(136 + row % 38));
        CommitChoiceCell(grid_, row, column::kName, std::to_string(row));
    }
    InsertChannel(grid_, 3);
    EXPECT_EQ(RowOf(grid_, 3), kEmpty);
    EXPECT_EQ(grid_.TextMatrix(2, column::kName), "2");
    EXPECT_EQ(grid_.TextMatrix(4, column::kName), "3");
    EXPECT_EQ(grid_.TextMatrix(128, column::kName), "127");  // old 128 is gone

    DeleteChannel(grid_, 3);
    EXPECT_EQ(grid_.TextMatrix(3, column::kName), "3");
    EXPECT_EQ(grid_.TextMatrix(127, column::kName), "127");
    EXPECT_EQ(RowOf(grid_, 128), kEmpty);

    DeleteChannel(grid_, 128);
    EXPECT_EQ(RowOf(grid_, 128), kEmpty);
    InsertChannel(grid_, 128);
    EXPECT_EQ(RowOf(grid_, 128), kEmpty);
    InsertChannel(grid_, 1);
    EXPECT_EQ(RowOf(grid_, 1), kEmpty);
    EXPECT_EQ(grid_.TextMatrix(2, column::kName), "1");
    EXPECT_EQ(grid_.TextMatrix(0, column::kName), "");  // header row untouched
}

}  // namespace
}  // namespace torvan
