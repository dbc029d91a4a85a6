#include "app/IniStore.h"

#include <gtest/gtest.h>

#include "tests/TempDir.h"

namespace torvan {
namespace {

using testing_support::TempDir;

TEST(IniStore, MissingFileIsCreatedEmptyAndReadsDefaults) {
    TempDir dir;
    IniStore ini(dir / "Program.ini");
    EXPECT_TRUE(std::filesystem::exists(dir / "Program.ini"));
    EXPECT_EQ(TempDir::Read(dir / "Program.ini"), "");
    EXPECT_EQ(ini.ReadString("Setup", "COM"), "");
    EXPECT_EQ(ini.ReadInt("Setup", "COM"), 0);
    EXPECT_TRUE(ini.WriteString("Setup", "COM", "COM3"));
    EXPECT_EQ(TempDir::Read(dir / "Program.ini"), "[Setup]\nCOM=COM3\n");
}

struct ReadCase {
    const char* content;
    const char* section;
    const char* key;
    const char* value;
};

class IniReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, FindsValues) {
    TempDir dir;
    const IniStore ini(dir.Write("Program.ini", GetParam().content));
    EXPECT_EQ(ini.ReadString(GetParam().section, GetParam().key), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniReadTest,
    testing::Values(ReadCase{"[Setup]\nCOM=COM2\n", "Setup", "COM", "COM2"},
                    ReadCase{"[setup]\ncom=COM2\n", "SETUP", "Com", "COM2"},
                    ReadCase{"[Setup]\r\n  Type0 = Model A  \r\n", "Setup", "TYPE0", "Model A"},
                    ReadCase{"[Setup]\nType0=\"Quoted\"\n", "Setup", "Type0", "Quoted"},
                    ReadCase{"[Other]\nCOM=COM2\n[Setup]\nX=1\n", "Setup", "COM", ""},
                    ReadCase{"[Setup]\nCOM=COM1\nCOM=COM2\n", "Setup", "COM", "COM1"},
                    ReadCase{"[Setup]\n; COM=COM5\nCOM=COM6\n", "Setup", "COM", "COM6"},
                    ReadCase{"[Setup]\nType0=\n", "Setup", "Type0", ""},
                    ReadCase{"COM=COM9\n[Setup]\n", "Setup", "COM", ""},
                    ReadCase{"[Setup]\nField0=a=b;c\n", "Setup", "Field0", "a=b;c"},
                    ReadCase{"\x01\xff garbage\n[Setup\nCOM=1\n", "Setup", "COM", ""}));

TEST(IniStore, LongValuesAreCutTo259Characters) {
    TempDir dir;
    const std::string value(300, 'v');
    const IniStore ini(dir.Write("Program.ini", "[Setup]\nField0=" + value + "\n"));
    EXPECT_EQ(ini.ReadString("Setup", "Field0"), value.substr(0, 259));
}

TEST(IniStore, WritesKeepOtherLinesAndComments) {
    TempDir dir;
    const std::string before =
        "; profiles\r\n[Setup]\r\ntype0=A\r\ncom=COM1\r\n\r\n[Other]\r\nX=1\r\n";
    IniStore ini(dir.Write("Program.ini", before));
    EXPECT_TRUE(ini.WriteString("Setup", "COM", "COM4"));
    EXPECT_TRUE(ini.WriteString("SETUP", "New", "v"));
    EXPECT_TRUE(ini.WriteInt("Third", "N", -5));
    EXPECT_EQ(TempDir::Read(dir / "Program.ini"),
              "; profiles\r\n[Setup]\r\ntype0=A\r\ncom=COM4\r\nNew=v\r\n\r\n[Other]\r\nX=1\r\n"
              "[Third]\r\nN=-5\r\n");
    EXPECT_EQ(ini.ReadInt("Third", "N"), -5);
}

TEST(IniStore, UnwritableFileReportsFailureAndReadsDefaults) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Program.ini");  // a folder in the way
    IniStore ini(dir / "Program.ini");
    EXPECT_EQ(ini.ReadString("Setup", "COM"), "");
    EXPECT_FALSE(ini.WriteString("Setup", "COM", "COM1"));
}

TEST(IniStore, DefaultPathIsBesideTheExecutableNotTheWorkingDirectory) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const IniStore ini;
    std::filesystem::current_path(previous);
    EXPECT_EQ(ini.Path().parent_path(), IniStore::ExecutableDirectory());
    EXPECT_NE(ini.Path().parent_path(), dir.path());
    EXPECT_FALSE(std::filesystem::exists(dir / "Program.ini"));
}

}  // namespace
}  // namespace torvan
