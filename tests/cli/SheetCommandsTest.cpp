// import-csv, export-csv, diff and show --json on files.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/DiffCommand.h"
#include "cli/DocumentCommands.h"
#include "cli/SheetCommands.h"
#include "model/ChannelFile.h"
#include "tests/TempDir.h"

namespace torvan::cli {
namespace {

using testing_support::TempDir;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Invoke(int (*command)(const Args&, std::ostream&, std::ostream&), const Args& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(args, out, err);
    return Outcome{status, out.str(), err.str()};
}

class SheetCommands : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Invoke(RunNew, {Path("new.sin")}).status, 0); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    MemoryImage Load(const std::string& name) const {
        MemoryImage image;
        EXPECT_TRUE(LoadChannelFile(Path(name), image).ok) << name;
        return image;
    }

    TempDir dir_;
};

// Refusals, and what they say, are checked through the built program
// (cli-sheets.sh).
TEST_F(SheetCommands, FixStoresTheGridsCorrections) {
    dir_.Write("c.csv",
               "CH,Rx Frequency,Tx Frequency,Rx Code,Tx Code,Busy Lock,Tx Power,Bandwidth,"
               "Scan Add,PTT ID,Name\r\n"
               "1,145.1234,145.5,None,None,Off,High,Wide,Yes,Off,home\r\n");
    const Outcome fixed =
        Invoke(RunImportCsv, {"--fix", Path("new.sin"), Path("c.csv"), Path("out.sin")});
    ASSERT_EQ(fixed.status, 0) << fixed.err;
    EXPECT_NE(fixed.out.find("line 2, Name: fixed: upper-cased"), std::string::npos) << fixed.out;
    const MemoryImage out = Load("out.sin");
    EXPECT_EQ(out[0], 0x00);  // 145.12000 = 00 20 12 14
    EXPECT_EQ(out[1], 0x20);
    EXPECT_EQ(out[0x850], 0x11);  // H
}

TEST_F(SheetCommands, ExportedSheetsImportToTheSameFile) {
    dir_.Write("in.csv", "Location,Name,Frequency,Duplex,Offset,Tone,cToneFreq,Skip\r\n"
                         "4,HILL,145.6,-,0.6,TSQL,88.5,S\r\n");
    ASSERT_EQ(Invoke(RunImportCsv, {Path("new.sin"), Path("in.csv"), Path("a.sin")}).status, 0);
    for (const std::string format : {"own", "common"}) {
        ASSERT_EQ(Invoke(RunExportCsv, {"--format", format, Path("a.sin"), Path("e.csv")}).status, 0);
        const Outcome back = Invoke(RunImportCsv, {Path("a.sin"), Path("e.csv"), Path("b.sin")});
        ASSERT_EQ(back.status, 0) << format << back.err;
        EXPECT_EQ(Load("b.sin"), Load("a.sin")) << format;
    }
}

TEST_F(SheetCommands, DiffNamesEveryDifferenceInTheWindowsTexts) {
    MemoryImage a = Load("new.sin");
    MemoryImage b = a;
    const auto set = [&b](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), b.bytes().begin() + static_cast<std::ptrdiff_t>(at));
    };
    set(0x814, {2});                       // TOT 60
    set(0x81D, {0x84});                    // side key 1 short FM
    set(0xD80, {0x00, 0x00, 0x81, 0x08});  // preset 1 88.10
    set(0xFFA, {0x42});                    // Middle Low
    set(0x010, {0x00, 0x25, 0x55, 0x14});  // channel 2 Rx, on new-document bytes
    set(0x80C, {0x00});                    // owned by no field
    set(0x000, {0x12});                    // a byte of empty channel 1
    ASSERT_TRUE(SaveChannelFile(Path("a.sin"), a).ok);
    ASSERT_TRUE(SaveChannelFile(Path("b.sin"), b).ok);
    const Outcome same = Invoke(RunDiff, {Path("a.sin"), Path("a.sin")});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    const Outcome differ = Invoke(RunDiff, {Path("a.sin"), Path("b.sin")});
    EXPECT_EQ(differ.status, 1);
    EXPECT_EQ(differ.out,
              "Settings, TOT: \"Off\" -> \"60\"\n"
              "Side Key, Side Key1 Short Press: \"Monitor\" -> \"FM\"\n"
              "Radio, Preset 1: \"\" -> \"88.10\"\n"
              "Power Tuning, Middle Low: \"255\" -> \"66\"\n"
              "Channel 2, Rx Frequency: \"\" -> \"145.52500\"\n"
              "Channel 2, Rx Code: \"\" -> \"None\"\n"
              "Channel 2, Tx Code: \"\" -> \"None\"\n"
              "Channel 2, Tx Power: \"\" -> \"High\"\n"
              "Channel 2, Bandwidth: \"\" -> \"Wide\"\n"
              "Channel 2, Scan Add: \"\" -> \"Yes\"\n"
              "Channel 2, PTT ID: \"\" -> \"Both\"\n"
              "Byte 0x000: FF -> 12\n"
              "Byte 0x80C: FF -> 00\n");
    EXPECT_EQ(Invoke(RunDiff, {Path("a.sin"), Path("none.sin")}).status, 2);
    EXPECT_EQ(Invoke(RunDiff, {Path("a.sin")}).status, 2);
}

TEST_F(SheetCommands, ShowJsonHoldsGroupsAndChannels) {
    dir_.Write("in.csv", "Location,Name,Frequency\r\n2,\"A-1\",145.5\r\n");
    ASSERT_EQ(Invoke(RunImportCsv, {Path("new.sin"), Path("in.csv"), Path("a.sin")}).status, 0);
    const Outcome json = Invoke(RunShow, {"--json", Path("a.sin")});
    ASSERT_EQ(json.status, 0) << json.err;
    for (const std::string part :
         {"{\n  \"settings\": {\n    \"Model\": \"", "    \"Password\": \"\",\n",
          "  \"sideKey\": {\n    \"Side Key1 Short Press\": \"Monitor\",\n",
          "  \"dtmf\": {\n    \"Tx Side Tone\": \"On\",\n", "    \"Preset 32\": \"\"\n  },\n",
          "  \"channels\": [\n    {\"CH\": 2, \"Rx Frequency\": \"145.50000\", \"Tx Frequency\": "
          "\"145.50000\", \"Rx Code\": \"None\"",
          "\"Name\": \"A-1\"}\n  ]\n}\n"}) {
        EXPECT_NE(json.out.find(part), std::string::npos) << part << "\nin\n" << json.out;
    }
    const Outcome text = Invoke(RunShow, {Path("a.sin")});
    EXPECT_NE(text.out.find("\nSide Key\n  Side Key1 Short Press: Monitor\n"), std::string::npos)
        << text.out;
}

}  // namespace
}  // namespace torvan::cli
