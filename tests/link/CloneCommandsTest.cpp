// torvan-cli read, write and power against the simulated radio.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CloneCommands.h"
#include "config/IniStore.h"
#include "model/ChannelFile.h"
#include "model/ImageCodec.h"
#include "tests/RefusingPlace.h"
#include "tests/TempDir.h"
#include "tests/link/SimulatedRadio.h"

namespace torvan::test {
namespace {

using Command = int (*)(const cli::Args&, std::ostream&, std::ostream&);

class CliClone : public testing::Test {
protected:
    int Run(Command command, const cli::Args& args) {
        out_.str("");
        err_.str("");
        return command(args, out_, err_);
    }

    testing_support::TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliClone, ReadThenWriteBackLeavesTheRadioAsItWas) {
    MemoryImage before = PatternMemory(21);
    EncodePasswordBytes("4321", before);
    SimulatedRadio radio(before);
    const std::string file = (dir_ / "radio.sin").string();

    ASSERT_EQ(Run(cli::RunRead, {"--port", radio.Path(), "--password", "4321", file}), 0)
        << err_.str();
    MemoryImage saved;
    ASSERT_TRUE(LoadChannelFile(file, saved).ok);
    EXPECT_EQ(saved, before);
    EXPECT_NE(err_.str().find("Read data: 100%"), std::string::npos) << err_.str();

    ASSERT_EQ(Run(cli::RunWrite, {"--port", radio.Path(), file}), 0) << err_.str();
    radio.Finish();
    EXPECT_EQ(radio.Memory(), before);
    EXPECT_EQ(radio.Counters().writes, 449U);
}

// Every read leaves a copy in the data folder; one that cannot be kept is
// reported but does not fail the read.
TEST_F(CliClone, ReadKeepsACopyAndSurvivesWithoutOne) {
    const MemoryImage memory = PatternMemory(8);
    SimulatedRadio radio(memory);
    const char* before = std::getenv("XDG_DATA_HOME");
    const std::string previous = before != nullptr ? before : "";
    const auto data = dir_ / "data";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    ASSERT_EQ(Run(cli::RunRead, {"--port", radio.Path(), (dir_ / "a.sin").string()}), 0)
        << err_.str();
    std::vector<std::filesystem::path> copies;
    for (const auto& entry : std::filesystem::directory_iterator(data / "torvan-pc-encoder")) {
        copies.push_back(entry.path());
    }
    ASSERT_EQ(copies.size(), 1U);
    MemoryImage copy;
    ASSERT_TRUE(LoadChannelFile(copies[0], copy).ok);
    EXPECT_EQ(copy, memory);

    const auto blocked = dir_.Write("blocked", "a file, not a folder");
    setenv("XDG_DATA_HOME", blocked.c_str(), 1);
    EXPECT_EQ(Run(cli::RunRead, {"--port", radio.Path(), (dir_ / "b.sin").string()}), 0);
    EXPECT_NE(err_.str().find("could not be kept"), std::string::npos) << err_.str();
    MemoryImage saved;
    EXPECT_TRUE(LoadChannelFile(dir_ / "b.sin", saved).ok);
    setenv("XDG_DATA_HOME", previous.c_str(), 1);
}

TEST_F(CliClone, FailedReadWritesNoFile) {
    MemoryImage memory = PatternMemory(21);
    EncodePasswordBytes("4321", memory);
    SimulatedRadio radio(memory);
    const auto old = dir_.Write("old.sin", "previous");
    EXPECT_EQ(Run(cli::RunRead, {"--port", radio.Path(), "--password", "1234", old.string()}), 1);
    EXPECT_EQ(err_.str(), "Password error\n");
    EXPECT_EQ(testing_support::TempDir::Read(old), "previous");

    const std::string missing = (dir_ / "none").string();
    EXPECT_EQ(Run(cli::RunRead, {"--port", missing, (dir_ / "x.sin").string()}), 1);
    EXPECT_EQ(err_.str(), "Open the port fail\n" + missing +
                              ": No such file or directory\n"
                              "Check that the cable is plugged in and that the Port menu names "
                              "it; [Ports] in Program.ini maps COM names to other devices.\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "x.sin"));

    // An output that cannot be written is found before the radio is touched.
    EXPECT_EQ(Run(cli::RunRead, {"--port", radio.Path(), (dir_ / "no" / "x.sin").string()}), 1);
    EXPECT_NE(err_.str().find("does not exist"), std::string::npos) << err_.str();
    radio.Finish();
    EXPECT_EQ(radio.Counters().handshakes, 1U) << "only the password case's";
}

// A COM name reaches the device Program.ini's [Ports] gives it (the file
// beside the program, as a dealer would edit it).
TEST_F(CliClone, ComNamesGoThroughThePortsSection) {
    SimulatedRadio radio(PatternMemory(3));
    const std::filesystem::path ini = IniStore().Path();
    const std::string before = testing_support::TempDir::Read(ini);
    { std::ofstream(ini, std::ios::trunc) << "[Ports]\nCOM6=" << radio.Path() << "\n"; }
    const std::string file = (dir_ / "com6.sin").string();
    const int status = Run(cli::RunRead, {"--port", "com6", file});
    std::ofstream(ini, std::ios::trunc) << before;
    EXPECT_EQ(status, 0) << err_.str();
    MemoryImage saved;
    ASSERT_TRUE(LoadChannelFile(file, saved).ok);
    EXPECT_EQ(saved, PatternMemory(3));
}

// A read onto a disk that says no: a clear message, the previous file as it
// was and no temporary file beside it. A folder or file that cannot be
// written is found before the radio is touched; a full disk only when the
// memory has been read.
class CliReadRefused : public testing::TestWithParam<testing_support::Refusal> {};

TEST_P(CliReadRefused, SaysWhyAndKeepsThePreviousFile) {
    using testing_support::Refusal;
    SimulatedRadio radio(PatternMemory(5));
    const testing_support::RefusingPlace place(GetParam(), "radio.sin", "previous");
    if (!place.SkipReason().empty()) {
        GTEST_SKIP() << place.SkipReason();
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::RunRead({"--port", radio.Path(), place.File().string()}, out, err), 1);
    const std::string message =
        "Cannot save " + place.File().string() + ": " + place.Reason() + ".\n";
    EXPECT_TRUE(err.str().ends_with(message)) << err.str();
    EXPECT_EQ(place.Contents(), "previous");
    EXPECT_TRUE(place.Unchanged());
    radio.Finish();
    EXPECT_EQ(radio.Counters().handshakes, GetParam() == Refusal::FullDisk ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(Disks, CliReadRefused,
                         testing::Values(testing_support::Refusal::FullDisk,
                                         testing_support::Refusal::ReadOnlyFolder,
                                         testing_support::Refusal::ReadOnlyFile),
                         [](const auto& param) { return testing_support::IdOf(param.param); });

TEST_F(CliClone, UsageErrorsExitWithTwo) {
    const std::vector<std::pair<Command, cli::Args>> bad = {
        {cli::RunRead, {"x.sin"}},
        {cli::RunRead, {"--port", "COM1"}},
        {cli::RunRead, {"--port", "COM1", "--password", "12a", "x.sin"}},
        {cli::RunRead, {"--port", "COM1", "--baud", "x.sin"}},
        {cli::RunWrite, {"--port", "COM1", "--password", "1", "x.sin"}},
        {cli::RunPower, {"--port", "COM1", "medium"}},
        {cli::RunPower, {"--port", "COM1", "low-low", "256"}},
    };
    for (const auto& [command, args] : bad) {
        EXPECT_EQ(Run(command, args), 2) << args.back();
        EXPECT_FALSE(err_.str().empty()) << args.back();
    }
}

TEST_F(CliClone, PowerEndsTuningOnlyAfterAnsweredQuery) {
    const MemoryImage before = PatternMemory(8);
    SimulatedRadio radio(before);
    ASSERT_EQ(Run(cli::RunPower, {"--port", radio.Path(), "high-low", "17"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "High Low " + std::to_string(before[0xFFC]) + "\nHigh Low 17\n");
    ASSERT_EQ(Run(cli::RunPower, {"--port", radio.Path(), "high-low"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "High Low 17\n");
    EXPECT_TRUE(radio.WaitFor([](const sim::RadioCounters& c) { return c.tuningEnds == 2; }));

    sim::RadioFaults faults;
    faults.silent = true;
    SimulatedRadio silent(before, faults);
    EXPECT_EQ(Run(cli::RunPower, {"--port", silent.Path(), "low-low", "5"}), 1);
    EXPECT_EQ(err_.str(), "Communication error\n");
    EXPECT_EQ(out_.str(), "");
    silent.Finish();
    EXPECT_EQ(silent.Counters().handshakes, 3U) << "the query's three, no end";
}

}  // namespace
}  // namespace torvan::test
