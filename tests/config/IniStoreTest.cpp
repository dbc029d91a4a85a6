#include "config/IniStore.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <tuple>
#include <vector>

#include "config/DefaultProgramIni.h"
#include "config/IniLocation.h"
#include "config/ModelCatalogReader.h"
#include "config/ProgramFolders.h"
#include "form/ImageCodec.h"
#include "form/MemoryForm.h"
#include "tests/TempDir.h"

namespace torvan {
namespace {

using testing_support::TempDir;

TEST(IniStore, FindsValues) {
    // The file, the section and key asked for, the value read.
    const std::vector<std::tuple<std::string, const char*, const char*, std::string>> cases = {
        {"[Setup]\nCOM=COM2\n", "Setup", "COM", "COM2"},
        {"[setup]\ncom=COM2\n", "SETUP", "Com", "COM2"},
        {"\xEF\xBB\xBF[Setup]\nType0=A\n", "Setup", "Type0", "A"},
        {"[Setup]\r\n  Type0 = Model A  \r\n", "Setup", "TYPE0", "Model A"},
        {"[Setup]\nType0=\"Quoted\"\n", "Setup", "Type0", "Quoted"},
        {"[Other]\nCOM=COM2\n[Setup]\nX=1\n", "Setup", "COM", ""},
        {"[Setup]\nCOM=COM1\nCOM=COM2\n", "Setup", "COM", "COM1"},
        {"[Setup]\n; COM=COM5\nCOM=COM6\n", "Setup", "COM", "COM6"},
        {"COM=COM9\n[Setup]\n", "Setup", "COM", ""},
        {"[Setup]\nField0=a=b;c\n", "Setup", "Field0", "a=b;c"},
        {"\x01\xff garbage\n[Setup\nCOM=1\n", "Setup", "COM", ""},
        {"[Setup]\nField0=" + std::string(300, 'v') + "\n", "Setup", "Field0",
         std::string(259, 'v')},
    };
    for (const auto& [content, section, key, value] : cases) {
        TempDir dir;
        const IniStore ini(dir.Write("Program.ini", content));
        EXPECT_EQ(ini.ReadString(section, key), value) << content;
    }
}

// Files written elsewhere: every untouched line comes back byte for byte. A
// missing file is created empty first.
TEST(IniStore, AWriteChangesOnlyItsLine) {
    // The file (nullptr: none), the section and key written (as "v"), the file
    // afterwards.
    const char* const kCommented = "; profiles\r\n[Setup]\r\ncom=COM1\r\n\r\n[Other]\r\nX=1\r\n";
    const std::vector<std::tuple<const char*, const char*, const char*, const char*>> cases = {
        {nullptr, "Setup", "COM", "[Setup]\nCOM=v\n"},
        {kCommented, "Setup", "COM", "; profiles\r\n[Setup]\r\ncom=v\r\n\r\n[Other]\r\nX=1\r\n"},
        {kCommented, "SETUP", "New",
         "; profiles\r\n[Setup]\r\ncom=COM1\r\nNew=v\r\n\r\n[Other]\r\nX=1\r\n"},
        {kCommented, "Third", "N",
         "; profiles\r\n[Setup]\r\ncom=COM1\r\n\r\n[Other]\r\nX=1\r\n"
         "[Third]\r\nN=v\r\n"},
        // A byte-order mark is not part of the first section's name, and stays.
        {"\xEF\xBB\xBF[Setup]\r\nCOM=COM1\r\n", "Setup", "COM", "\xEF\xBB\xBF[Setup]\r\nCOM=v\r\n"},
        {"\xEF\xBB\xBF[Setup]\nType0=A\n", "Setup", "COM", "\xEF\xBB\xBF[Setup]\nType0=A\nCOM=v\n"},
        // Mixed line endings stay as they were; a new line takes the first one.
        {"[Setup]\nType0=A\r\nX=1\n", "Setup", "COM", "[Setup]\nType0=A\r\nX=1\nCOM=v\n"},
        {"[Setup]\r\nType0=A\nCOM=COM1\r\n[B]\n", "Setup", "COM",
         "[Setup]\r\nType0=A\nCOM=v\r\n[B]\n"},
        // A last line without its ending gets one before anything follows it.
        {"[Setup]\r\nType0=A", "Setup", "COM", "[Setup]\r\nType0=A\r\nCOM=v\r\n"},
    };
    for (const auto& [before, section, key, after] : cases) {
        TempDir dir;
        IniStore ini(before ? dir.Write("Program.ini", before) : dir / "Program.ini");
        EXPECT_EQ(TempDir::Read(dir / "Program.ini"), before ? before : "");
        EXPECT_TRUE(ini.WriteString(section, key, "v").ok);
        EXPECT_EQ(TempDir::Read(dir / "Program.ini"), after);
    }
}

#ifndef _WIN32
// A file its owner may write but not read. Root reads everything, so as root
// the file goes to an unprivileged user who then starts the store, reads the
// models (told why there are none) and tries a write (refused, as it would
// lose the other lines).
TEST(IniStore, AnUnreadableFileIsNeverEmptied) {
    TempDir dir;
    const auto path = dir.Write("Program.ini", "[Setup]\nType0=A\n");
    chmod(path.c_str(), 0200);
    constexpr uid_t kNobody = 65534;
    const bool root = geteuid() == 0;
    if (root) {
        chmod(dir.path().c_str(), 0777);
        ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    }
    const pid_t child = fork();
    if (child == 0) {
        if (root && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(1);
        }
        IniStore ini(path);
        const bool told =
            ReadModelCatalogWarning(ini).warning ==
            "cannot read " + path.string() + ": Permission denied; the model lists are empty.";
        _exit(told ? (ini.WriteString("Setup", "COM", "COM1").ok ? 3 : 0) : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0) << "2: no warning, 3: the write went through";
    chmod(path.c_str(), 0600);
    EXPECT_EQ(TempDir::Read(path), "[Setup]\nType0=A\n");
}
#endif

// A folder tree standing for one way of running the program: bin/ holds the
// executable; user/ is the user's folder for it. The case; bin/Program.ini
// ("" none, "file", or "link" to a missing file); whether
// share/torvan-encoder exists beside bin/; whether bin/ is writable; whether
// there is a user's folder; the file chosen, relative to the temp folder.
TEST(IniLocation, ChoosesTheFolder) {
    const char* const kUserFile = "user/Program.ini";
    // clang-format off
    const std::tuple<const char*, std::string, bool, bool, bool, const char*> cases[] = {
        {"build folder", "", false, true, true, "bin/Program.ini"},
        {"existing file wins", "file", true, false, true, "bin/Program.ini"},
        {"a link counts as the file", "link", true, false, true, "bin/Program.ini"},
        {"installed even if writable", "", true, true, true, kUserFile},
        {"read-only folder", "", false, false, true, kUserFile},
        {"no user's folder at all", "", true, false, false, "bin/Program.ini"},
    };
    // clang-format on
    for (const auto& [name, beside, installed, binWritable, hasUserFolder, expected] : cases) {
        TempDir dir;
        std::filesystem::create_directories(dir / "bin");
        std::error_code noLinks;  // the Windows build makes none
        if (beside == "file") {
            dir.Write("bin/Program.ini", "");
        } else if (beside == "link") {
            std::filesystem::create_symlink(dir / "elsewhere.ini", dir / "bin/Program.ini",
                                            noLinks);
            if (noLinks) {
                continue;
            }
        }
        if (installed) {
            std::filesystem::create_directories(dir / "share/torvan-encoder");
        }
        const IniLocation where{dir / "bin", hasUserFolder ? dir / "user" : "",
                                [&](const std::filesystem::path& folder) {
                                    EXPECT_EQ(folder, dir / "bin") << name;
                                    return binWritable;
                                }};
        EXPECT_EQ(ChooseIniPath(where), dir / expected) << name;
    }
#ifndef _WIN32
    // The user's folder follows XDG_CONFIG_HOME when it is absolute.
    EXPECT_EQ(ConfigFolder("/xdg", "/h"), "/xdg/torvan-encoder");
    EXPECT_EQ(ConfigFolder("xdg", "/h"), "/h/.config/torvan-encoder");
    EXPECT_EQ(ConfigFolder(nullptr, nullptr), "");
#else
    // An all-users install's folder is never written, a folder elsewhere may be.
    const std::filesystem::path programs = std::filesystem::path(_wgetenv(L"ProgramFiles"));
    EXPECT_TRUE(InsideProgramFiles(programs / "Torvan PC Encoder"));
    EXPECT_FALSE(InsideProgramFiles(programs.parent_path() / "Tools"));
    // The user's roaming and local application data, as the shell names them.
    EXPECT_EQ(ConfigFolder().parent_path().filename(), "Roaming");
    EXPECT_EQ(DataFolder().parent_path().filename(), "Local");
    EXPECT_EQ(DataFolder().filename(), "Torvan PC Encoder");
#endif
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

// A first start: the new document shows the first model and its first range,
// which is the new document's band.
TEST(DefaultProgramIni, NewDocumentShowsAModelAndItsBand) {
    TempDir dir;
    const IniStore ini(dir.Write("Program.ini", std::string(DefaultProgramIni())));
    const ModelCatalog models = ReadModelCatalog(ini);
    ASSERT_GE(models.size(), 1U);
    MemoryImage image;
    image.ResetToNewDocument();
    MemoryForm form;
    FrequencyLimits limits;
    DecodeImage(image, models, form, limits);
    EXPECT_EQ(form.List(Setting::Model).SelectedText(), models[0].name);
    EXPECT_EQ(form.List(Setting::FrequencyRange).SelectedText(), "136-174MHz");
    EXPECT_EQ(limits, FrequencyLimits{});
    EXPECT_EQ(ini.ReadString("Setup", "COM"), "");
}

}  // namespace
}  // namespace torvan
