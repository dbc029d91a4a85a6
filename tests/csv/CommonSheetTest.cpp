#include "csv/CommonSheet.h"

#include <gtest/gtest.h>

#include <tuple>

#include "form/ChannelCodec.h"
#include "form/MemoryCellTable.h"

namespace torvan::csv {
namespace {

const std::string kCommonHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,Skip,Power,Comment\r\n";

using Texts = ChannelRow;

// Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode, then
// the Rx Code and Tx Code they give.
TEST(CommonSheetImport, EveryToneAndCrossModeMapsOntoTheTwoCodes) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {",88.5,100.0,023,NN,754,", "None", "None"},
        {"Tone,88.5,100.0,023,NN,754,", "None", "CTCSS:88.5"},
        {"TSQL,88.5,100.0,023,NN,754,", "CTCSS:100.0", "CTCSS:100.0"},
        {"DTCS,88.5,100.0,23,NR,754,", "CDCSS:023I", "CDCSS:023N"},
        {"DTCS,88.5,100.0,754,RN,023,", "CDCSS:754N", "CDCSS:754I"},
        {"Cross,88.5,100.0,023,NN,754,Tone->Tone", "CTCSS:100.0", "CTCSS:88.5"},
        {"Cross,88.5,100.0,023,RN,754,Tone->DTCS", "CDCSS:754N", "CTCSS:88.5"},
        {"Cross,88.5,100.0,023,RN,754,DTCS->Tone", "CTCSS:100.0", "CDCSS:023I"},
        {"Cross,88.5,100.0,023,NR,754,DTCS->DTCS", "CDCSS:754I", "CDCSS:023N"},
        {"Cross,88.5,100.0,023,NN,754,DTCS->", "None", "CDCSS:023N"},
        {"Cross,88.5,100.0,023,NN,754,->Tone", "CTCSS:100.0", "None"},
        {"Cross,88.5,100.0,023,NN,754,->DTCS", "CDCSS:754N", "None"},
        {"Cross,88.5,100.0,023,NN,754,Tone->", "None", "CTCSS:88.5"},
    };
    for (const auto& [tone, rx, tx] : cases) {
        MemoryCellTable grid;
        const SheetImport result = ImportCommonSheet(
            kCommonHeader + "3,Rpt,146.52,,0," + tone + ",FM,,High,\r\n", {}, grid);
        ASSERT_TRUE(result.MayStore(FixPolicy::Accept))
            << tone << ": " << (result.notes.empty() ? result.error : result.notes[0].reason);
        EXPECT_EQ(grid.TextMatrix(3, column::kRxCode), rx) << tone;
        EXPECT_EQ(grid.TextMatrix(3, column::kTxCode), tx) << tone;

        // And back: the exported row reads in again as the same channel.
        MemoryCellTable again;
        const SheetImport back = ImportCommonSheet(ExportCommonSheet(grid).text, {}, again);
        EXPECT_TRUE(back.MayStore(FixPolicy::Refuse)) << tone;
        EXPECT_EQ(GridRow(again, 3), GridRow(grid, 3)) << tone;
    }
}

// A row after the header, the first note's column ("" for none), its verdict,
// and channel 1 when stored.
TEST(CommonSheetImport, RowsMapOrReportWhatCannotBeCarriedOver) {
    const auto stored = [](std::string rx, std::string tx, std::string power, std::string width,
                           std::string scan, std::string name) {
        return Texts{"", rx, tx, "None", "None", "Off", power, width, scan, "Off", name};
    };
    const std::vector<std::tuple<std::string, std::string, Verdict, Texts>> cases = {
        {"1,Rpt1,145.600000,-,0.600000,,,,,,,,FM,,High,x", "Name", Verdict::Corrected,
         stored("145.60000", "145.00000", "High", "Wide", "Yes", "RPT1")},
        {"1,SIMPLEX,146.52,+,0.6,,,,,,,,NFM,S,2.9 W,", "", Verdict::Kept,
         stored("146.52000", "147.12000", "Low", "Narrow", "No", "SIMPLEX")},
        {"1,ODD,146.52,split,147.0,,,,,,,,FM,,3W,", "", Verdict::Kept,
         stored("146.52000", "147.00000", "High", "Wide", "Yes", "ODD")},
        {"1,ODD,146.52,,,,,,,,,,FM,,Medium,", "Power", Verdict::Refused, {}},
        {"1,ODD,146.52,,,,,,,,,,FM,,Hundred,", "Power", Verdict::Refused, {}},
        {"5,FIVE,145.5,,,,,,,,,,FM,,,\r\n0,ZERO,146.52,,,,,,,,,,FM,,,", "", Verdict::Kept,
         stored("146.52000", "146.52000", "High", "Wide", "Yes", "ZERO")},
        {"1,RXONLY,162.55,off,0,,,,,,,,FM,,,", "", Verdict::Kept,
         stored("162.55000", "", "High", "Wide", "Yes", "RXONLY")},
        {"1,Long name!,146.52,,0,,,,,,,,FM,,L,", "Name", Verdict::Corrected,
         stored("146.52000", "146.52000", "Low", "Wide", "Yes", "LONG NAM")},
        {"1,X,146.5234,,0,,,,,,,,FM,,,", "Frequency", Verdict::Corrected,
         stored("146.52000", "146.52000", "High", "Wide", "Yes", "X")},
        {"1,AIR,124.1,,0,,,,,,,,AM,,,", "Frequency", Verdict::Refused, {}},
        {"1,AIR,144.1,,0,,,,,,,,AM,,,", "Mode", Verdict::Refused, {}},
        {"1,FAR,146.94,-,600000,,,,,,,,FM,,,", "Offset", Verdict::Refused, {}},
        {"1,T,146.52,,0,Tone,60.0,,,,,,FM,,,", "rToneFreq", Verdict::Refused, {}},
        {"1,D,146.52,,0,DTCS,,,017,NN,,,FM,,,", "DtcsCode", Verdict::Refused, {}},
        {"1,D,146.52,,0,DTCS,,,023,N,,,FM,,,", "DtcsPolarity", Verdict::Refused, {}},
        {"1,D,146.52,,0,DCS,,,023,NN,,,FM,,,", "Tone", Verdict::Refused, {}},
        {"1,D,146.52,,0,Cross,88.5,,,,,Tone->Tone,FM,,,", "cToneFreq", Verdict::Refused, {}},
        {"1,D,146.52,,0,Cross,88.5,,,,,DCS->DCS,FM,,,", "CrossMode", Verdict::Refused, {}},
        {"1,D,146.52,duplex,0,,,,,,,,FM,,,", "Duplex", Verdict::Refused, {}},
        {"129,D,146.52,,0,,,,,,,,FM,,,", "Location", Verdict::Refused, {}},
        {"x,D,146.52,,0,,,,,,,,FM,,,", "Location", Verdict::Refused, {}},
    };
    for (const auto& [row, header, verdict, texts] : cases) {
        MemoryCellTable grid;
        const SheetImport result = ImportCommonSheet(kCommonHeader + row + "\r\n", {}, grid);
        ASSERT_EQ(result.error, "") << row;
        ASSERT_EQ(result.notes.empty(), header.empty()) << row;
        if (!header.empty()) {
            const SheetNote& note = result.notes.front();
            EXPECT_EQ(std::tuple(note.line, note.column, note.verdict),
                      std::tuple(2, header, verdict))
                << row << ": " << note.reason;
        }
        for (std::size_t n = 1; n < result.notes.size(); ++n) {
            EXPECT_FALSE(result.notes[n].column == result.notes[n - 1].column &&
                         result.notes[n].reason == result.notes[n - 1].reason)
                << row << ": said twice: " << result.notes[n].reason;
        }
        EXPECT_EQ(result.MayStore(FixPolicy::Accept), verdict != Verdict::Refused) << row;
        if (verdict != Verdict::Refused) {
            EXPECT_EQ(GridRow(grid, 1), texts) << row;
        }
    }
}

// Lists from repeater directories count Location from 0 and give watts; the
// layout has no busy lock, PTT ID or unlisted tones, so the base file's
// channel keeps its own.
TEST(CommonSheetImport, OtherToolsListsFillChannelsAndKeepWhatTheLayoutLacks) {
    MemoryCellTable grid;
    const Texts held = {"",     "145.00000", "145.00000", "CTCSS:60.0", "None", "Tone",
                        "High", "Wide",      "Yes",       "Both",       "OLD"};
    SetGridRow(grid, 2, held);
    SetGridRow(grid, 3, held);
    const SheetImport result = ImportCommonSheet(kCommonHeader +
                                                     "0,A,146.52,,0,,,,,,,,FM,,5.0W,\r\n"
                                                     "1,B,146.52,,0,Tone,60,,,,,,FM,,0.5W,\r\n"
                                                     "3,C,146.52,,0,,,,,,,,FM,,,\r\n"
                                                     "128,D,146.52,,0,,,,,,,,FM,,,\r\n",
                                                 {}, grid);
    ASSERT_EQ(result.notes.size(), 1U);
    EXPECT_EQ(NoteText(result.notes[0], FixPolicy::Refuse),
              "line 5, Location: refused: Location 128 is past channel 128");
    EXPECT_EQ(result.remarks.size(), 3U) << "counted from 0, watts, kept for channel 2";
    EXPECT_EQ(GridRow(grid, 1)[column::kTxPower], "High");
    EXPECT_EQ(GridRow(grid, 2), (Texts{"", "146.52000", "146.52000", "None", "CTCSS:60.0", "Tone",
                                       "Low", "Wide", "Yes", "Both", "B"}));
    EXPECT_EQ(GridRow(grid, 3)[column::kRxFrequency], "")
        << "a channel the sheet does not list is emptied";
    EXPECT_EQ(GridRow(grid, 4)[column::kName], "C");
}

// Odd stored digits reading 1000 MHz or more have no count: the channel is
// refused by name, never written as 0 MHz or with a made-up offset.
TEST(CommonSheetExport, RefusesAFrequencyItCannotWriteAsStored) {
    MemoryCellTable grid;
    const Texts fine = {"",     "145.50000", "145.50000", "None", "None", "Off",
                        "High", "Wide",      "Yes",       "Off",  "OK"};
    for (const int channel : {1, 2, 3}) {
        SetGridRow(grid, channel, fine);
    }
    grid.SetTextMatrix(1, column::kRxFrequency, "1014.55000");
    grid.SetTextMatrix(3, column::kTxFrequency, "1514.55000");
    const SheetExport sheet = ExportCommonSheet(grid);
    EXPECT_EQ(sheet.refused,
              (std::vector<std::string>{"channel 1: Rx Frequency 1014.55000 reads from damaged "
                                        "digits (1000 MHz or more); correct the channel first",
                                        "channel 3: Tx Frequency 1514.55000 reads from damaged "
                                        "digits (1000 MHz or more); correct the channel first"}));
    EXPECT_EQ(sheet.text.substr(sheet.text.find('\n') + 1),
              "2,OK,145.500000,,0.000000,,67.0,67.0,023,NN,023,Tone->Tone,FM,,High,\r\n");
}

TEST(CommonSheetImport, ColumnsAreFoundByNameAndMayBeMissing) {
    MemoryCellTable grid;
    // Reordered, other columns ignored, optional ones absent.
    const SheetImport result = ImportCommonSheet(
        "\xEF\xBB\xBF"
        "URCALL,Frequency,Location,Name\r\nX,145.5,7,\"Hill, North\"\r\n",
        {}, grid);
    ASSERT_TRUE(result.MayStore(FixPolicy::Accept));
    EXPECT_FALSE(result.MayStore(FixPolicy::Refuse)) << "the comma is dropped from the name";
    EXPECT_EQ(GridRow(grid, 7), (Texts{"", "145.50000", "145.50000", "None", "None", "Off", "High",
                                       "Wide", "Yes", "Off", "HILL NOR"}));
    EXPECT_NE(ImportCommonSheet("Name,Frequency\r\nA,145.5\r\n", {}, grid).error, "");
}

}  // namespace
}  // namespace torvan::csv
