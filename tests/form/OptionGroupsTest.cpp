#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "form/BroadcastPresets.h"
#include "form/DtmfSettings.h"
#include "form/SideKeys.h"
#include "form/TypedFilter.h"

// The byte rules of the Side Key, DTMF and Radio dialogs: what each shows of
// the stored bytes, and what it stores, changing no byte it does not own.
namespace torvan {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Read(const MemoryImage& image, std::size_t at, std::size_t length) {
    const auto span = image.Span(at, length);
    return {span.begin(), span.end()};
}

void Write(MemoryImage& image, std::size_t at, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), image.Span(at, bytes.size()).begin());
}

// `after` with the owned bytes [at, at + length) put back as they were.
MemoryImage OwnedBytesRestored(MemoryImage after, const MemoryImage& before,
                               std::initializer_list<std::pair<std::size_t, std::size_t>> owned) {
    for (const auto& [at, length] : owned) {
        Write(after, at, Read(before, at, length));
    }
    return after;
}

// The bytes at 0x81D and 0x81E, the names the four lists open with, what
// they show at OK, and the bytes stored.
TEST(SideKeys, OpenAndStore) {
    using Names = std::array<const char*, 4>;
    // clang-format off
    const std::vector<std::tuple<Bytes, Names, Names, Bytes>> cases = {
        // Erased: codes 15 read as "Off" and are stored as 0.
        {{0xFF, 0x90}, {"Off", "Off", "Off", "Off"}, {"Off", "Off", "Off", "Off"}, {0x00, 0x00}},
        // Functions the lists do not offer show empty and stay stored.
        {{0x23, 0x67}, {"", "", "", ""}, {"Monitor", "", "", "FM"}, {0x13, 0x68}},
        {{0x00, 0x00}, {"Off", "Off", "Off", "Off"},
         {"Monitor", "FM", "Talk Around", "Reverse Frequency"}, {0x18, 0x45}},
    };
    // clang-format on
    for (const auto& [stored, shown, picked, storedAgain] : cases) {
        MemoryImage image;
        image.ResetToNewDocument();
        Write(image, 0x81D, stored);
        const MemoryImage before = image;
        const auto offered = OfferedSideKeyFunctions();
        const SideKeyCodes codes = ReadSideKeyCodes(image);
        SideKeyNames atOk;
        for (std::size_t i = 0; i < kSideKeyActions; ++i) {
            const int position = OfferedSideKeyPosition(codes[i]);
            EXPECT_EQ(position < 0 ? "" : offered[static_cast<std::size_t>(position)], shown[i]);
            atOk[i] = picked[i];
        }
        StoreSideKeys(image, atOk);
        EXPECT_EQ(Read(image, 0x81D, 2), storedAgain);
        EXPECT_EQ(OwnedBytesRestored(image, before, {{0x81D, 2}}), before);
    }
}

// The side-tone byte 0x83C and the PTT ID bytes 0x820-0x827, what the dialog
// reads from them, what it holds at OK, and the two stored again.
TEST(DtmfSettings, OpenAndStore) {
    using Dtmf = DtmfSettings;
    const Bytes erased(8, 0xFF);
    const Bytes zeros(8, 0x00);
    // clang-format off
    const std::vector<std::tuple<std::uint8_t, Bytes, Dtmf, Dtmf, std::uint8_t, Bytes>> cases = {
        {0xFF, erased, {true, true, ""}, {true, true, ""}, 0xFF, zeros},
        // The other six bits stay as they were.
        {0xA2, zeros, {false, false, ""}, {true, false, ""}, 0xA3, zeros},
        {0x5D, zeros, {true, true, ""}, {false, false, ""}, 0x58, zeros},
        // A byte outside the DTMF set ends the text; what follows is dropped.
        {0xFF, {0x31, 0x32, 0xFF, 0x34, 0, 0, 0, 0}, {true, true, "12"}, {true, true, "12"}, 0xFF,
         {0x31, 0x32, 0, 0, 0, 0, 0, 0}},
        {0xFF, {0x61, 0x2A, 0x23, 0x44, 0x39, 0x30, 0x42, 0x63}, {true, true, "a*#D90Bc"},
         {true, true, "1A*#59"}, 0xFF, {0x31, 0x41, 0x2A, 0x23, 0x35, 0x39, 0, 0}},
        {0xFF, erased, {true, true, ""}, {true, true, "12345678"}, 0xFF,
         {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38}},
    };
    // clang-format on
    for (const auto& [tones, id, opened, held, storedTones, storedId] : cases) {
        MemoryImage image;
        image[0x83C] = tones;
        Write(image, 0x820, id);
        const MemoryImage before = image;
        EXPECT_EQ(ReadDtmfSettings(image), opened);
        StoreDtmfSettings(image, held);
        EXPECT_EQ(image[0x83C], storedTones);
        EXPECT_EQ(Read(image, 0x820, 8), storedId);
        EXPECT_EQ(OwnedBytesRestored(image, before, {{0x820, 8}, {0x83C, 1}}), before);
    }
}

// Preset 1 and preset 32, each in turn: the bytes, the text shown, the text
// typed (nullptr: left as shown) and the bytes stored.
TEST(BroadcastPresets, OpenAndStore) {
    const Bytes empty(4, 0xFF);
    const std::vector<std::tuple<Bytes, const char*, const char*, Bytes>> cases = {
        {{0x00, 0x00, 0x75, 0x08}, "87.50", nullptr, {0x00, 0x00, 0x75, 0x08}},
        {empty, "", nullptr, empty},
        {{0x00, 0x00, 0x00, 0x00}, "", nullptr, empty},
        {{0x12, 0x34, 0x56, 0x00}, "", nullptr, empty},
        // Outside the broadcast band, or finer than shown: kept while untouched.
        {{0x00, 0x00, 0x00, 0x15}, "150.00", nullptr, {0x00, 0x00, 0x00, 0x15}},
        {{0x05, 0x00, 0x75, 0x08}, "87.50", nullptr, {0x05, 0x00, 0x75, 0x08}},
        {{0x00, 0x1A, 0x75, 0x08}, "87.52", nullptr, {0x00, 0x1A, 0x75, 0x08}},
        {empty, "", "87.5", {0x00, 0x00, 0x75, 0x08}},
        {empty, "", "87.55", {0x00, 0x50, 0x75, 0x08}},
        {{0x00, 0x00, 0x00, 0x15}, "150.00", "150", {0x00, 0x00, 0x80, 0x10}},
        {{0x00, 0x00, 0x75, 0x08}, "87.50", "", empty},
        {{0x05, 0x00, 0x75, 0x08}, "87.50", "90", {0x00, 0x00, 0x00, 0x09}},
    };
    for (const auto& [bytes, shown, edited, stored] : cases) {
        for (const std::size_t preset : {1U, 32U}) {
            MemoryImage image;
            image.ResetToNewDocument();
            const std::size_t at = 0xD80 + (preset - 1) * 4;
            Write(image, at, bytes);
            const MemoryImage before = image;
            std::vector<std::string> texts;
            for (int n = 1; n <= kBroadcastPresetCount; ++n) {
                texts.push_back(PresetText(image, n));
            }
            EXPECT_EQ(texts.at(preset - 1), shown);
            if (edited != nullptr) {
                texts.at(preset - 1) = CommittedPresetText(edited);
            }
            StorePresets(image, texts);
            EXPECT_EQ(Read(image, at, 4), stored) << "preset " << preset << " " << shown;
            EXPECT_EQ(OwnedBytesRestored(image, before, {{at, 4}}), before);
        }
    }
}

TEST(BroadcastPresets, TypedTextIsClampedIntoTheBand) {
    // clang-format off
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"", ""}, {"87.5", "87.50"}, {"87.55", "87.55"}, {"76", "76.00"}, {"108", "108.00"},
        {"50", "76.00"}, {"120", "108.00"}, {"999999", "108.00"}, {".", "76.00"},
        {"88.1.5", "88.10"}};
    // clang-format on
    for (const auto& [typed, committed] : cases) {
        EXPECT_EQ(CommittedPresetText(typed), committed) << typed;
    }
}

// PTT ID and preset editors: typed, pasted or dropped text alike. The
// characters taken, the length, the text and the cursor, and what is kept.
TEST(TypedFilter, KeepsWhatTheEditorTakes) {
    const auto dtmf = kDtmfCharacters;
    const auto preset = kPresetCharacters;
    // clang-format off
    const std::tuple<std::string_view, std::size_t, const char*, std::size_t, const char*,
                     std::size_t> cases[] = {
        {dtmf, kPttIdLength, "1a*#5x9", 7, "1A*#59", 6},
        {dtmf, kPttIdLength, "12-34-56+78", 11, "12345678", 8},
        // "3456x9" pasted into "1278": the excess is cut from the paste.
        {dtmf, kPttIdLength, "123456x978", 8, "12345678", 6},
        {dtmf, kPttIdLength, "12abcd5678", 6, "12AB5678", 4},
        {dtmf, kPttIdLength, "123456789", 9, "12345678", 8},
        {dtmf, kPttIdLength, "912345678", 1, "12345678", 0}, {dtmf, kPttIdLength, "~1", 2, "1", 1},
        {preset, kPresetTextLength, "9a0-x.5", 7, "90.5", 4},
        {preset, kPresetTextLength, "10x2.3 MHz", 10, "102.3", 5},
        {preset, kPresetTextLength, "9999999", 7, "999999", 6}};
    // clang-format on
    for (const auto& [allowed, maxLength, text, cursor, kept, keptCursor] : cases) {
        EXPECT_EQ(FilterTyped(text, cursor, allowed, maxLength, true),
                  (FilteredText{kept, keptCursor}))
            << text;
    }
}

}  // namespace
}  // namespace torvan
