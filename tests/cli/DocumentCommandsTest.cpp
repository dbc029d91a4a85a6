#include "cli/DocumentCommands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "model/ChannelFile.h"
#include "tests/RefusingPlace.h"
#include "tests/TempDir.h"

namespace torvan::cli {
namespace {

using testing_support::TempDir;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

template <typename Command>
Outcome Invoke(Command command, const Args& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(args, out, err);
    return Outcome{status, out.str(), err.str()};
}

TEST(CliNew, WritesTheNewDocumentAsSaveWould) {
    TempDir dir;
    const Outcome run = Invoke(RunNew, {(dir / "x.sin").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    MemoryImage expected;
    expected.ResetToNewDocument();
    for (std::size_t slot = 0; slot < 128; ++slot) {
        expected[slot * 16 + 13] = 0xFE;
    }
    expected[0xFF0] = 0x13;
    expected[0xFF1] = 0x17;
    expected[0xFF2] = 0x64;
    MemoryImage written;
    ASSERT_TRUE(LoadChannelFile(dir / "x.sin", written).ok);
    EXPECT_EQ(written, expected);
    EXPECT_EQ(std::filesystem::file_size(dir / "x.sin"), 4096U);
}

TEST(CliShow, PrintsSettingsThenChannels) {
    TempDir dir;
    ASSERT_EQ(Invoke(RunNew, {(dir / "x.sin").string()}).status, 0);
    MemoryImage image;
    ASSERT_TRUE(LoadChannelFile(dir / "x.sin", image).ok);
    const std::uint8_t slot[] = {0x00, 0x25, 0x55, 0x14, 0x00, 0x00, 0x60, 0x14,
                                 0x70, 0x06, 0x23, 0x80, 0x01, 0x24, 0xFF, 0xFF};
    std::copy(std::begin(slot), std::end(slot), image.bytes().begin() + 16 * 6);  // channel 7
    ASSERT_TRUE(SaveChannelFile(dir / "x.sin", image).ok);

    const Outcome run = Invoke(RunShow, {(dir / "x.sin").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* line :
         {"Frequency Mode: Channel\n", "STE: 240 phase shift\n", "Priority Channel: 1\n",
          "Lock Channel Mode: On\n", "TOT: Off\n", "Password: \n", "SQL: 5\n", "Scan Mode: TO\n"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
    }
    EXPECT_NE(run.out.find("CH  Rx Frequency  Tx Frequency  Rx Code"), std::string::npos);
    EXPECT_NE(run.out.find("7   145.52500     146.00000     CTCSS:67.0  CDCSS:023N  Tone"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("\n1 "), std::string::npos) << "empty channels are not listed";
}

struct BadCase {
    const char* name;
    bool forNew;
    Args args;
};

class CliErrorTest : public testing::TestWithParam<BadCase> {};

TEST_P(CliErrorTest, FailsWithOneLineAndWritesNothing) {
    TempDir dir;
    dir.Write("short.sin", std::string(4095, '\0'));
    Args args = GetParam().args;
    for (auto& arg : args) {
        if (arg.rfind("@", 0) == 0) {
            arg = (dir / arg.substr(1)).string();
        }
    }
    const Outcome run = GetParam().forNew ? Invoke(RunNew, args) : Invoke(RunShow, args);
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1U) << "only the prepared short file";
}

INSTANTIATE_TEST_SUITE_P(Inputs, CliErrorTest,
                         testing::Values(BadCase{"missing", false, {"@missing.sin"}},
                                         BadCase{"short", false, {"@short.sin"}},
                                         BadCase{"folder", false, {"@"}},
                                         BadCase{"noArgs", false, {}},
                                         BadCase{"twoArgs", false, {"@short.sin", "@short.sin"}},
                                         BadCase{"option", true, {"--force"}},
                                         BadCase{"unwritable", true, {"@no/such/folder/x.sin"}}),
                         [](const auto& param) { return std::string(param.param.name); });

// A disk that says no: a clear message, the previous file as it was and no
// temporary file beside it.
class CliNewRefused : public testing::TestWithParam<testing_support::Refusal> {};

TEST_P(CliNewRefused, SaysWhyAndKeepsThePreviousFile) {
    const testing_support::RefusingPlace place(GetParam(), "radio.sin", "previous");
    if (!place.SkipReason().empty()) {
        GTEST_SKIP() << place.SkipReason();
    }
    const Outcome run = Invoke(RunNew, {place.File().string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot save " + place.File().string() + ": " + place.Reason() + ".\n");
    EXPECT_EQ(place.Contents(), "previous");
    EXPECT_TRUE(place.Unchanged());
}

INSTANTIATE_TEST_SUITE_P(Disks, CliNewRefused,
                         testing::Values(testing_support::Refusal::FullDisk,
                                         testing_support::Refusal::ReadOnlyFolder,
                                         testing_support::Refusal::ReadOnlyFile),
                         [](const auto& param) { return testing_support::IdOf(param.param); });

}  // namespace
}  // namespace torvan::cli
