#include "config/IniStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "config/ModelCatalogReader.h"
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

// Files written elsewhere: every untouched line comes back byte for byte.
struct RewriteCase {
    const char* before;
    const char* after;  // once COM=COM4 is written
};

class IniRewriteTest : public testing::TestWithParam<RewriteCase> {};

TEST_P(IniRewriteTest, ChangesOnlyTheWrittenLine) {
    TempDir dir;
    IniStore ini(dir.Write("Program.ini", GetParam().before));
    EXPECT_EQ(ini.ReadString("Setup", "Type0"), "A");
    EXPECT_TRUE(ini.WriteString("Setup", "COM", "COM4"));
    EXPECT_EQ(TempDir::Read(dir / "Program.ini"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniRewriteTest,
    testing::Values(
        // A byte-order mark is not part of the first section's name, and stays.
        RewriteCase{"\xEF\xBB\xBF[Setup]\r\nType0=A\r\nCOM=COM1\r\n",
                    "\xEF\xBB\xBF[Setup]\r\nType0=A\r\nCOM=COM4\r\n"},
        RewriteCase{"\xEF\xBB\xBF[Setup]\nType0=A\n", "\xEF\xBB\xBF[Setup]\nType0=A\nCOM=COM4\n"},
        // Mixed line endings stay as they were; a new line takes the first one.
        RewriteCase{"[Setup]\nType0=A\r\nX=1\n", "[Setup]\nType0=A\r\nX=1\nCOM=COM4\n"},
        RewriteCase{"[Setup]\r\nType0=A\nCOM=COM1\r\n[B]\n",
                    "[Setup]\r\nType0=A\nCOM=COM4\r\n[B]\n"},
        // A last line without its ending gets one before anything follows it.
        RewriteCase{"[Setup]\r\nType0=A", "[Setup]\r\nType0=A\r\nCOM=COM4\r\n"}));

// A file its owner may write but not read. Root reads everything, so as root
// the file goes to an unprivileged user who then starts the store.
TEST(IniStore, AnUnreadableFileIsNeverEmptied) {
    TempDir dir;
    const auto path = dir.Write("Program.ini", "[Setup]\nType0=A\n");
    chmod(path.c_str(), 0200);
    if (geteuid() != 0) {
        const IniStore ini(path);
    } else {
        constexpr uid_t kNobody = 65534;
        chmod(dir.path().c_str(), 0755);
        ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
        const pid_t child = fork();
        if (child == 0) {
            const bool dropped = setgid(kNobody) == 0 && setuid(kNobody) == 0;
            if (dropped) {
                const IniStore ini(path);
            }
            _exit(dropped ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_EQ(status, 0);
    }
    chmod(path.c_str(), 0600);
    EXPECT_EQ(TempDir::Read(path), "[Setup]\nType0=A\n");
}

TEST(IniStore, WritesGoThroughLinksAndKeepPermissions) {
    TempDir dir;
    const auto real = dir.Write("real.ini", "[Setup]\nCOM=COM1\n");
    chmod(real.c_str(), 0640);
    std::filesystem::create_symlink("real.ini", dir / "Program.ini");
    IniStore ini(dir / "Program.ini");
    EXPECT_TRUE(ini.WriteString("Setup", "COM", "COM2"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "Program.ini"));
    EXPECT_EQ(TempDir::Read(real), "[Setup]\nCOM=COM2\n");
    struct stat info {};
    ASSERT_EQ(stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
}

TEST(IniStore, UnwritableFileReportsFailureAndReadsDefaults) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Program.ini");  // a folder in the way
    IniStore ini(dir / "Program.ini");
    EXPECT_EQ(ini.ReadString("Setup", "COM"), "");
    EXPECT_FALSE(ini.WriteString("Setup", "COM", "COM1"));
}

TEST(ModelCatalogReader, ModelsEndAtTheFirstMissingTypeEmptyRangesDropTextsBecomeUtf8) {
    TempDir dir;
    const IniStore ini(dir.Write("Program.ini",
                                 "[setup]\n"
                                 "type0=\xC3\x81lpha\n"  // UTF-8
                                 "Field0=136-174MHz;144-148MHz\n"
                                 "Type1=B\xE8ta\n"  // Windows-1252
                                 "Field1=;;400-470MHz;;136-174;\n"
                                 "Type3=Never read\n"));
    const ModelCatalog expected = {{"\xC3\x81lpha", {"136-174MHz", "144-148MHz"}},
                                   {"B\xC3\xA8ta", {"400-470MHz", "136-174"}}};
    EXPECT_EQ(ReadModelCatalog(ini), expected);
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
