#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "model/BroadcastPresets.h"
#include "model/DtmfSettings.h"
#include "model/SideKeys.h"
#include "model/TypedFilter.h"

// The byte rules of the Side Key, DTMF and Radio dialogs.
namespace torvan {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Read(const MemoryImage& image, std::size_t offset, std::size_t length) {
    const auto span = image.Span(offset, length);
    return {span.begin(), span.end()};
}

void Write(MemoryImage& image, std::size_t offset, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), image.Span(offset, bytes.size()).begin());
}

// Only the bytes a dialog owns may change.
void ExpectOnlyChanged(const MemoryImage& before, const MemoryImage& after, std::size_t offset,
                       std::size_t length) {
    for (std::size_t i = 0; i < MemoryImage::kSize; ++i) {
        if (i < offset || i >= offset + length) {
            ASSERT_EQ(before[i], after[i]) << "offset " << i;
        }
    }
}

struct SideKeyCase {
    std::uint8_t key1;
    std::uint8_t key2;
    std::array<const char*, 4> shown;   // names as the lists open
    std::array<const char*, 4> picked;  // what the lists show at OK
    std::uint8_t stored1;
    std::uint8_t stored2;
};

class SideKeyTest : public testing::TestWithParam<SideKeyCase> {};

TEST_P(SideKeyTest, OpensAndStores) {
    const auto& c = GetParam();
    MemoryImage image;
    image.ResetToNewDocument();
    image[0x81D] = c.key1;
    image[0x81E] = c.key2;
    const MemoryImage before = image;
    const auto offered = OfferedSideKeyFunctions();
    const SideKeyCodes codes = ReadSideKeyCodes(image);
    SideKeyNames picked;
    for (std::size_t i = 0; i < kSideKeyActions; ++i) {
        const int position = OfferedSideKeyPosition(codes[i]);
        EXPECT_EQ(position < 0 ? "" : offered[static_cast<std::size_t>(position)], c.shown[i])
            << "action " << i;
        picked[i] = c.picked[i];
    }
    StoreSideKeys(image, picked);
    EXPECT_EQ(image[0x81D], c.stored1);
    EXPECT_EQ(image[0x81E], c.stored2);
    ExpectOnlyChanged(before, image, 0x81D, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, SideKeyTest,
    testing::Values(
        // Erased: codes 15 read as "Off" and are stored as 0.
        SideKeyCase{
            0xFF, 0x90, {"Off", "Off", "Off", "Off"}, {"Off", "Off", "Off", "Off"}, 0x00, 0x00},
        // Functions the lists do not offer show empty and stay stored.
        SideKeyCase{0x23, 0x67, {"", "", "", ""}, {"Monitor", "", "", "FM"}, 0x13, 0x68},
        SideKeyCase{0x00,
                    0x00,
                    {"Off", "Off", "Off", "Off"},
                    {"Monitor", "FM", "Talk Around", "Reverse Frequency"},
                    0x18,
                    0x45}));

TEST(SideKeyNames, CodesAndNames) {
    EXPECT_EQ(SideKeyFunctionName(2), "Priority Scan");
    EXPECT_EQ(SideKeyFunctionName(8), "FM");
    EXPECT_EQ(SideKeyFunctionName(9), "Off");
    EXPECT_EQ(SideKeyFunctionCode("DTMF Call"), 7U);
    EXPECT_EQ(SideKeyFunctionCode("fm"), 0U);  // exact text only
}

struct DtmfCase {
    std::uint8_t tones;
    Bytes id;
    DtmfSettings read;
    DtmfSettings stored;  // what the dialog holds at OK
    std::uint8_t storedTones;
    Bytes storedId;
};

class DtmfTest : public testing::TestWithParam<DtmfCase> {};

TEST_P(DtmfTest, OpensAndStores) {
    const auto& c = GetParam();
    MemoryImage image;
    image[0x83C] = c.tones;
    Write(image, 0x820, c.id);
    const MemoryImage before = image;
    EXPECT_EQ(ReadDtmfSettings(image), c.read);
    StoreDtmfSettings(image, c.stored);
    EXPECT_EQ(image[0x83C], c.storedTones);
    EXPECT_EQ(Read(image, 0x820, 8), c.storedId);
    for (std::size_t i = 0; i < MemoryImage::kSize; ++i) {
        if ((i < 0x820 || i > 0x827) && i != 0x83C) {
            ASSERT_EQ(image[i], before[i]) << "offset " << i;
        }
    }
}

const Bytes kErased(8, 0xFF);
const Bytes kZeros(8, 0x00);

INSTANTIATE_TEST_SUITE_P(
    Bytes, DtmfTest,
    testing::Values(DtmfCase{0xFF, kErased, {true, true, ""}, {true, true, ""}, 0xFF, kZeros},
                    // The other six bits stay as they were.
                    DtmfCase{0xA2, kZeros, {false, false, ""}, {true, false, ""}, 0xA3, kZeros},
                    DtmfCase{0x5D, kZeros, {true, true, ""}, {false, false, ""}, 0x58, kZeros},
                    // A byte outside the DTMF set ends the text; what follows is dropped.
                    DtmfCase{0xFF,
                             {0x31, 0x32, 0xFF, 0x34, 0, 0, 0, 0},
                             {true, true, "12"},
                             {true, true, "12"},
                             0xFF,
                             {0x31, 0x32, 0, 0, 0, 0, 0, 0}},
                    DtmfCase{0xFF,
                             {0x61, 0x2A, 0x23, 0x44, 0x39, 0x30, 0x42, 0x63},
                             {true, true, "a*#D90Bc"},
                             {true, true, "1A*#59"},
                             0xFF,
                             {0x31, 0x41, 0x2A, 0x23, 0x35, 0x39, 0, 0}},
                    DtmfCase{0xFF,
                             kErased,
                             {true, true, ""},
                             {true, true, "12345678"},
                             0xFF,
                             {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38}}));

struct PresetCase {
    Bytes bytes;
    const char* shown;
    const char* edited;  // nullptr: left as shown
    Bytes stored;
};

class PresetTest : public testing::TestWithParam<PresetCase> {};

TEST_P(PresetTest, OpensAndStores) {
    const auto& c = GetParam();
    for (const int preset : {1, 32}) {
        MemoryImage image;
        image.ResetToNewDocument();
        const std::size_t at = 0xD80 + static_cast<std::size_t>(preset - 1) * 4;
        Write(image, at, c.bytes);
        const MemoryImage before = image;
        std::vector<std::string> texts;
        for (int n = 1; n <= kBroadcastPresetCount; ++n) {
            texts.push_back(PresetText(image, n));
        }
        EXPECT_EQ(texts.at(static_cast<std::size_t>(preset - 1)), c.shown);
        if (c.edited != nullptr) {
            texts.at(static_cast<std::size_t>(preset - 1)) = CommittedPresetText(c.edited);
        }
        StorePresets(image, texts);
        EXPECT_EQ(Read(image, at, 4), c.stored) << "preset " << preset;
        ExpectOnlyChanged(before, image, at, 4);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, PresetTest,
    testing::Values(
        PresetCase{{0x00, 0x00, 0x75, 0x08}, "87.50", nullptr, {0x00, 0x00, 0x75, 0x08}},
        PresetCase{{0xFF, 0xFF, 0xFF, 0xFF}, "", nullptr, {0xFF, 0xFF, 0xFF, 0xFF}},
        PresetCase{{0x00, 0x00, 0x00, 0x00}, "", nullptr, {0xFF, 0xFF, 0xFF, 0xFF}},
        PresetCase{{0x12, 0x34, 0x56, 0x00}, "", nullptr, {0xFF, 0xFF, 0xFF, 0xFF}},
        // Outside the broadcast band, or finer than shown: kept while untouched.
        PresetCase{{0x00, 0x00, 0x00, 0x15}, "150.00", nullptr, {0x00, 0x00, 0x00, 0x15}},
        PresetCase{{0x05, 0x00, 0x75, 0x08}, "87.50", nullptr, {0x05, 0x00, 0x75, 0x08}},
        PresetCase{{0x00, 0x1A, 0x75, 0x08}, "87.52", nullptr, {0x00, 0x1A, 0x75, 0x08}},
        PresetCase{{0xFF, 0xFF, 0xFF, 0xFF}, "", "87.5", {0x00, 0x00, 0x75, 0x08}},
        PresetCase{{0xFF, 0xFF, 0xFF, 0xFF}, "", "87.55", {0x00, 0x50, 0x75, 0x08}},
        PresetCase{{0x00, 0x00, 0x00, 0x15}, "150.00", "150", {0x00, 0x00, 0x80, 0x10}},
        PresetCase{{0x00, 0x00, 0x75, 0x08}, "87.50", "", {0xFF, 0xFF, 0xFF, 0xFF}},
        PresetCase{{0x05, 0x00, 0x75, 0x08}, "87.50", "90", {0x00, 0x00, 0x00, 0x09}}));

struct CommitCase {
    const char* typed;
    const char* committed;
};

class PresetCommitTest : public testing::TestWithParam<CommitCase> {};

TEST_P(PresetCommitTest, ClampsAndFormats) {
    EXPECT_EQ(CommittedPresetText(GetParam().typed), GetParam().committed) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(Typed, PresetCommitTest,
                         testing::Values(CommitCase{"", ""}, CommitCase{"87.5", "87.50"},
                                         CommitCase{"87.55", "87.55"}, CommitCase{"76", "76.00"},
                                         CommitCase{"108", "108.00"}, CommitCase{"50", "76.00"},
                                         CommitCase{"120", "108.00"},
                                         CommitCase{"999999", "108.00"}, CommitCase{".", "76.00"},
                                         CommitCase{"0", "76.00"}, CommitCase{"88.1.5", "88.10"}));

struct FilterCase {
    const char* text;
    std::size_t cursor;
    const char* kept;
    std::size_t keptCursor;
};

class DtmfFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(DtmfFilterTest, KeepsUpToEightDtmfCharacters) {
    const auto& c = GetParam();
    EXPECT_EQ(FilterTyped(c.text, c.cursor, kDtmfCharacters, kPttIdLength, true),
              (FilteredText{c.kept, c.keptCursor}))
        << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DtmfFilterTest,
    testing::Values(FilterCase{"1a*#5x9", 7, "1A*#59", 6}, FilterCase{"12x", 3, "12", 2},
                    FilterCase{"12-34-56+78", 11, "12345678", 8},
                    // "3456x9" pasted into "1278": the excess is cut from the paste.
                    FilterCase{"123456x978", 8, "12345678", 6},
                    FilterCase{"12abcd5678", 6, "12AB5678", 4},
                    FilterCase{"123456789", 9, "12345678", 8},
                    FilterCase{"912345678", 1, "12345678", 0}, FilterCase{"~1", 2, "1", 1}));

}  // namespace
}  // namespace torvan
