#include "config/IniLocation.h"

#include <gtest/gtest.h>

#include "config/DefaultProgramIni.h"
#include "config/IniStore.h"
#include "config/ModelCatalogReader.h"
#include "model/FrequencyLimits.h"
#include "model/ImageCodec.h"
#include "model/MemoryForm.h"
#include "tests/TempDir.h"

namespace torvan {
namespace {

using testing_support::TempDir;

// A folder tree standing for one way of running the program: bin/ holds the
// executable; home/ is the user's.
struct LocationCase {
    const char* name;
    bool fileBeside;     // bin/Program.ini exists
    bool installed;      // share/torvan-encoder exists beside bin/
    bool binWritable;
    const char* configHome;  // "@" stands for the temp folder
    bool hasHome;
    const char* expected;    // relative to the temp folder
};

class IniLocationTest : public testing::TestWithParam<LocationCase> {};

TEST_P(IniLocationTest, ChoosesTheFolder) {
    const LocationCase& c = GetParam();
    TempDir dir;
    std::filesystem::create_directories(dir / "bin");
    if (c.fileBeside) {
        dir.Write("bin/Program.ini", "");
    }
    if (c.installed) {
        std::filesystem::create_directories(dir / "share/torvan-encoder");
    }
    std::string configHome = c.configHome;
    if (configHome.starts_with('@')) {
        configHome = dir.path().string() + configHome.substr(1);
    }
    const IniLocation where{dir / "bin", configHome, c.hasHome ? (dir / "home").string() : "",
                            [&](const std::filesystem::path& folder) {
                                EXPECT_EQ(folder, dir / "bin");
                                return c.binWritable;
                            }};
    EXPECT_EQ(ChooseIniPath(where), dir / c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, IniLocationTest,
    testing::Values(
        LocationCase{"BuildFolder", false, false, true, "", true, "bin/Program.ini"},
        LocationCase{"ExistingFileWins", true, true, false, "@/xdg", true, "bin/Program.ini"},
        LocationCase{"InstalledEvenIfWritable", false, true, true, "", true,
                     "home/.config/torvan-encoder/Program.ini"},
        LocationCase{"ReadOnlyFolder", false, false, false, "", true,
                     "home/.config/torvan-encoder/Program.ini"},
        LocationCase{"ConfigHomeSet", false, true, false, "@/xdg", true,
                     "xdg/torvan-encoder/Program.ini"},
        LocationCase{"RelativeConfigHomeIgnored", false, true, false, "xdg", true,
                     "home/.config/torvan-encoder/Program.ini"},
        LocationCase{"NoHomeAtAll", false, true, false, "", false, "bin/Program.ini"}),
    [](const testing::TestParamInfo<LocationCase>& param) { return param.param.name; });

TEST(IniLocation, ALinkBesideTheExecutableCountsAsTheFile) {
    TempDir dir;
    std::filesystem::create_directories(dir / "bin");
    std::filesystem::create_directories(dir / "share/torvan-encoder");
    std::filesystem::create_symlink(dir / "elsewhere.ini", dir / "bin/Program.ini");
    const IniLocation where{dir / "bin", "", (dir / "home").string(), {}};
    EXPECT_EQ(ChooseIniPath(where), dir / "bin/Program.ini");
}

TEST(IniStore, ExplicitPathsAreStillCreatedEmpty) {
    TempDir dir;
    const IniStore ini(dir / "Program.ini");
    EXPECT_EQ(TempDir::Read(dir / "Program.ini"), "");
}

// A first start: the new document shows the first model and its first range,
// which is the new document's band, and every range gives limits in the band.
TEST(DefaultProgramIni, NewDocumentShowsAModelAndItsBand) {
    TempDir dir;
    const IniStore ini(dir.Write("Program.ini", std::string(DefaultProgramIni())));
    const ModelCatalog models = ReadModelCatalog(ini);
    ASSERT_GE(models.size(), 1U);
    for (const auto& model : models) {
        ASSERT_FALSE(model.ranges.empty()) << model.name;
        for (const auto& range : model.ranges) {
            const auto limits = LimitsFromRangeText(range);
            ASSERT_TRUE(limits) << range;
            EXPECT_GE(limits->lower, 13600000U) << range;
            EXPECT_LE(limits->upper, 17400000U) << range;
        }
    }
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
