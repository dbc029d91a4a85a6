#include "csv/OwnSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "form/ChannelCodec.h"
#include "form/ImageCodec.h"
#include "form/MemoryCellTable.h"
#include "form/MemoryForm.h"
#include "model/ModelCatalog.h"

namespace torvan::csv {
namespace {

const std::string kOwnHeader =
    "CH,Rx Frequency,Tx Frequency,Rx Code,Tx Code,Busy Lock,Tx Power,Bandwidth,Scan Add,PTT ID,"
    "Name\r\n";

// A row after "5,", the column of the one note expected ("" for none), its
// verdict, and the text a correction stores in that column.
TEST(OwnSheetImport, EveryCellIsTakenAsTheGridTakesIt) {
    const std::string ok = "Off,High,Wide,Yes,Off,AB 1";
    const std::vector<std::tuple<std::string, std::string, Verdict, std::string>> cases = {
        {"145.52500,146.00000,CTCSS:67.0,CDCSS:023N," + ok, "", Verdict::Kept, ""},
        {"145.525,,None,CDCSS:754I," + ok, "", Verdict::Kept, ""},
        {"145.1234567,145.125,None,None," + ok, "Rx Frequency", Verdict::Corrected, "145.12000"},
        {"146.00625,146.0025,None,None," + ok, "Tx Frequency", Verdict::Corrected, "146.00000"},
        {"175,145.5,None,None," + ok, "Rx Frequency", Verdict::Refused, ""},
        {"145.5,135.99,None,None," + ok, "Tx Frequency", Verdict::Refused, ""},
        {"145.5x,145.5,None,None," + ok, "Rx Frequency", Verdict::Refused, ""},
        {"145.5,145.5,ctcss:88.5,None," + ok, "Rx Code", Verdict::Corrected, "CTCSS:88.5"},
        {"145.5,145.5,CTCSS:66.9,None," + ok, "Rx Code", Verdict::Refused, ""},
        {"145.5,145.5,None,CDCSS:999I," + ok, "Tx Code", Verdict::Refused, ""},
        {"145.5,145.5,None,None,Off,high,Wide,Yes,Off,A", "Tx Power", Verdict::Corrected, "High"},
        {"145.5,145.5,None,None,Off,Medium,Wide,Yes,Off,A", "Tx Power", Verdict::Refused, ""},
        {"145.5,145.5,None,None,,High,Wide,Yes,Off,A", "", Verdict::Kept, ""},
        {"145.5,145.5,None,None,Off,High,,Yes,Off,A", "Bandwidth", Verdict::Refused, ""},
        {"145.5,145.5,None,None,Off,High,Wide,Yes,Off,repeater9", "Name", Verdict::Corrected,
         "REPEATER"},
        {"145.5,145.5,None,None,Off,High,Wide,Yes,Off,A.\xC3\xA9"
         "b",
         "Name", Verdict::Corrected, "AB"},
        {",,None,None,Off,High,Wide,Yes,Off,A", "Rx Code", Verdict::Corrected, ""},
    };
    for (const auto& [row, header, verdict, stored] : cases) {
        MemoryCellTable grid;
        const SheetImport result = ImportOwnSheet(kOwnHeader + "5," + row + "\r\n", {}, grid);
        ASSERT_EQ(result.error, "") << row;
        EXPECT_EQ(result.MayStore(FixPolicy::Refuse), header.empty()) << row;
        ASSERT_EQ(result.notes.empty(), header.empty()) << row;
        if (header.empty()) {
            continue;
        }
        const SheetNote& note = result.notes.front();
        EXPECT_EQ(std::tuple(note.line, note.column, note.verdict), std::tuple(2, header, verdict))
            << row << ": " << note.reason;
        EXPECT_EQ(result.MayStore(FixPolicy::Accept), verdict == Verdict::Corrected) << row;
        const auto at = std::find(kChannelHeaders.begin(), kChannelHeaders.end(), header);
        if (verdict == Verdict::Corrected) {
            EXPECT_EQ(grid.TextMatrix(5, int(at - kChannelHeaders.begin())), stored) << row;
        }
    }
}

TEST(OwnSheetImport, RowsAndHeaderAreChecked) {
    MemoryCellTable grid;
    const std::string row = ",145.5,145.5,None,None,Off,High,Wide,Yes,Off,A\r\n";
    const SheetImport bad = ImportOwnSheet(
        kOwnHeader + "0" + row + "129" + row + "7" + row + "7" + row + "8,145.5\r\n", {}, grid);
    ASSERT_EQ(bad.notes.size(), 4U);
    EXPECT_EQ(NoteText(bad.notes[0], FixPolicy::Refuse),
              "line 2, CH: refused: \"0\" is not a channel number 1-128");
    EXPECT_EQ(bad.notes[1].line, 3);
    EXPECT_EQ(NoteText(bad.notes[2], FixPolicy::Refuse),
              "line 5, CH: refused: channel 7 is listed twice");
    EXPECT_EQ(NoteText(bad.notes[3], FixPolicy::Refuse),
              "line 6, row: refused: 2 cells where the header has 11");

    const std::vector<std::pair<std::string, std::string>> sheets = {
        {"CH,Rx Frequency\n1,145.5\n",
         "the header row has no column \"Tx Frequency\"; it holds "
         "\"CH\", \"Rx Frequency\" (separated by commas)"},
        {"CH,Name, name \n", "the header row has the column \"Name\" more than once"},
        {std::string("\xFF\xFE"
                     "C\0H\0",
                     6),
         "the sheet is UTF-16 text; save it as CSV (comma-separated) in UTF-8"},
        {kOwnHeader.substr(0, kOwnHeader.size() - 1) + "1,145.5\r",
         "the sheet's lines end with a carriage return alone (old Mac line endings); save it "
         "with CRLF or LF line endings"},
    };
    for (const auto& [sheet, error] : sheets) {
        EXPECT_EQ(ImportOwnSheet(sheet, {}, grid).error, error);
    }
}

TEST(OwnSheetImport, ABandOtherThanTheDefaultDecidesWhatIsRefused) {
    MemoryCellTable grid;
    const FrequencyLimits band{40000000, 47000000};
    const SheetImport result = ImportOwnSheet(
        kOwnHeader +
            "1,145.5,145.5,None,None,Off,High,Wide,Yes,Off,A\r\n2,446.00625,446.00625,None,"
            "None,Off,High,Wide,Yes,Off,B\r\n",
        band, grid);
    ASSERT_EQ(result.notes.size(), 2U);
    EXPECT_EQ(NoteText(result.notes[0], FixPolicy::Accept),
              "line 2, Rx Frequency: refused: outside the file's band 400-470 MHz");
    EXPECT_EQ(grid.TextMatrix(2, column::kRxFrequency), "446.00625");
}

// An empty Busy Lock cell never leaves the slot's old bits to the encoder: a
// new channel gets Off, a held one keeps its own (a stored code without a
// text too), and the remarks say which.
TEST(OwnSheetImport, AnEmptyBusyLockTakesTheNewChannelDefaultOrTheHeldOne) {
    MemoryCellTable grid;
    const std::string row = ",145.5,145.5,None,None,,High,Wide,Yes,Off,A\r\n";
    grid.SetTextMatrix(2, column::kRxFrequency, "145.00000");
    grid.SetTextMatrix(2, column::kBusyLock, "Tone");
    grid.SetTextMatrix(3, column::kRxFrequency, "145.00000");
    const SheetImport result =
        ImportOwnSheet(kOwnHeader + "1" + row + "2" + row + "3" + row + "4" + row, {}, grid);
    EXPECT_TRUE(result.MayStore(FixPolicy::Refuse));
    EXPECT_EQ(result.remarks, (std::vector<std::string>{
                                  "Busy Lock left empty: kept from the base file for channels 2-3",
                                  "Busy Lock left empty: Off, as for a new channel, for channels "
                                  "1, 4"}));
    for (const auto& [channel, text] : {std::pair{1, "Off"}, {2, "Tone"}, {3, ""}, {4, "Off"}}) {
        EXPECT_EQ(grid.TextMatrix(channel, column::kBusyLock), text) << channel;
    }
}

// Export then import gives the same image as the window's Save of the same
// file: every cell text, including unlisted tones and a busy lock without a
// text, survives.
TEST(OwnSheet, ExportThenImportGivesTheSameImage) {
    MemoryImage image;
    image.ResetToNewDocument();
    const std::vector<std::pair<int, std::array<std::uint8_t, 16>>> slots = {
        {1,
         {0x00, 0x25, 0x55, 0x14, 0x00, 0x00, 0x60, 0x14, 0x70, 0x06, 0x23, 0x80, 0x01, 0x24, 0xAB,
          0xCD}},
        {2,
         {0x50, 0x12, 0x60, 0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x06, 0x54, 0xC7, 0x03, 0xF6, 0xFF,
          0xFF}},
        {128,
         {0x25, 0x06, 0x00, 0x17, 0x25, 0x06, 0x00, 0x17, 0xFF, 0xFF, 0x14, 0xC1, 0x02, 0x3A, 0x00,
          0x00}},
    };
    for (const auto& [channel, bytes] : slots) {
        std::copy(bytes.begin(), bytes.end(), image.bytes().begin() + (channel - 1) * 16);
    }
    image[0x850] = 0x0A;
    image[0x851] = 0x25;
    image[0x852] = 0x24;
    image[0xC50] = 0x01;
    MemoryForm form;
    FrequencyLimits limits;
    DecodeImage(image, ModelCatalog{}, form, limits);
    EncodeImage(form, limits, image);  // what Save stores
    const std::string sheet = ExportOwnSheet(form.Grid());
    EXPECT_NE(sheet.find("\r\n2,136.01250,,CTCSS:60.0,CDCSS:754I,,High,Wide,No,Both,\r\n"),
              std::string::npos)
        << sheet;

    MemoryForm imported;
    DecodeImage(image, ModelCatalog{}, imported, limits);
    const SheetImport result = ImportOwnSheet(sheet, limits, imported.Grid());
    ASSERT_TRUE(result.MayStore(FixPolicy::Refuse))
        << (result.notes.empty() ? result.error : result.notes.front().reason);
    MemoryImage again = image;
    EncodeImage(imported, limits, again);
    EXPECT_EQ(again, image);
}

}  // namespace
}  // namespace torvan::csv
