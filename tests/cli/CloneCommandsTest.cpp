// torvan-cli read, write and power against the simulated radio.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>

#include "cli/CloneCommands.h"
#include "form/ImageCodec.h"
#include "link/WriteCheck.h"
#include "model/ChannelFile.h"
#include "model/PasswordCodec.h"
#include "tests/CliRun.h"
#include "tests/RadioOnPty.h"
#include "tests/TempDir.h"

namespace torvan::test {
namespace {

using sim::PatternMemory;
using testing_support::CliRun;
using testing_support::RadioOnPty;
using testing_support::RunCli;
using testing_support::With;

class CliRadio : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    static MemoryImage Load(const std::filesystem::path& file) {
        MemoryImage image;
        EXPECT_TRUE(LoadChannelFile(file, image).ok) << file;
        return image;
    }

    testing_support::TempDir dir_;
};

// OUT.sin and a copy in the data folder hold the radio's memory; a copy that
// cannot be kept is reported but does not fail the read.
TEST_F(CliRadio, ReadSavesTheFileAndKeepsACopyWhenItCan) {
    MemoryImage memory = PatternMemory(21);
    EncodePasswordBytes("4321", memory);
    RadioOnPty radio(memory);
    const std::string previous = std::getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    const CliRun kept =
        RunCli(cli::RunRead, {"--port", radio.Path(), "--password", "4321", Path("a.sin")});
    setenv("XDG_DATA_HOME", dir_.Write("blocked", "a file, not a folder").c_str(), 1);
    const CliRun lost =
        RunCli(cli::RunRead, {"--port", radio.Path(), "--password", "4321", Path("b.sin")});
    setenv("XDG_DATA_HOME", previous.c_str(), 1);

    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_NE(kept.err.find("Read data: 100%"), std::string::npos) << kept.err;
    EXPECT_EQ(Load(Path("a.sin")), memory);
    const std::filesystem::path copies = dir_ / "data" / "torvan-pc-encoder";
    ASSERT_EQ(std::distance(std::filesystem::directory_iterator(copies), {}), 1);
    EXPECT_EQ(Load(std::filesystem::directory_iterator(copies)->path()), memory);
    EXPECT_EQ(lost.status, 0) << lost.err;
    EXPECT_NE(lost.err.find("could not be kept"), std::string::npos) << lost.err;
    EXPECT_EQ(Load(Path("b.sin")), memory);
}

// The fixed message, the system's reason and what to do; the previous file
// as it was. A file that cannot be written is found before the radio is
// touched.
TEST_F(CliRadio, FailedReadSaysWhyAndKeepsThePreviousFile) {
    MemoryImage memory = PatternMemory(21);
    EncodePasswordBytes("4321", memory);
    RadioOnPty radio(memory);
    const std::string old = dir_.Write("old.sin", "previous").string();
    const std::string missing = Path("none");
    const CliRun refused =
        RunCli(cli::RunRead, {"--port", radio.Path(), "--password", "1234", old});
    const CliRun absent = RunCli(cli::RunRead, {"--port", missing, old});
    std::filesystem::permissions(old, std::filesystem::perms::owner_read);
    const CliRun readOnly = RunCli(cli::RunRead, {"--port", radio.Path(), old});

    EXPECT_EQ(refused.err, "Password error\nGive the radio's password with --password DIGITS.\n");
    EXPECT_EQ(absent.err, "Open the port fail\n" + missing +
                              ": No such file or directory\n"
                              "Check that the cable is plugged in and that the Port menu names "
                              "it; [Ports] in Program.ini maps COM names to other devices.\n");
    EXPECT_EQ(readOnly.err, "Cannot save " + old + ": it is read-only.\n");
    for (const CliRun& run : {refused, absent, readOnly}) {
        EXPECT_EQ(run.status, 1) << run.err;
    }
    EXPECT_EQ(testing_support::TempDir::Read(old), "previous");
    radio.Finish();
    EXPECT_EQ(radio.Counters().handshakes, 1U) << "only the password case's";
}

// A COM name reaches the device that [Ports] of the Program.ini beside the
// program gives it, as a dealer would edit it. A copy of the program gets
// its own Program.ini: the build's stays out of it.
TEST_F(CliRadio, ComNamesGoThroughThePortsSectionBesideTheProgram) {
    RadioOnPty radio(PatternMemory(3));
    std::filesystem::copy_file(TORVAN_CLI_PROGRAM, dir_ / "torvan-cli");
    dir_.Write("Program.ini", "[Ports]\nCOM6=" + radio.Path() + "\n");
    const std::string command =
        "'" + Path("torvan-cli") + "' read --port com6 '" + Path("x.sin") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(Load(Path("x.sin")), PatternMemory(3));
}

TEST(CliUsage, ErrorsExitWithTwo) {
    const std::vector<std::pair<testing_support::CliCommand, cli::Args>> bad = {
        {cli::RunRead, {"x.sin"}},
        {cli::RunRead, {"--port", "COM1"}},
        {cli::RunRead, {"--port", "COM1", "--password", "12a", "x.sin"}},
        {cli::RunRead, {"--port", "COM1", "--baud", "x.sin"}},
        {cli::RunWrite, {"--port", "COM1", "--password", "1", "x.sin"}},
        {cli::RunPower, {"--port", "COM1", "medium"}},
        {cli::RunPower, {"--port", "COM1", "low-low", "256"}},
        {cli::RunPower, {"--port", "COM1", "--port", "COM2", "low-low"}},
    };
    for (const auto& [command, args] : bad) {
        const CliRun run = RunCli(command, args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_FALSE(run.err.empty()) << args.back();
    }
}

// The read-back passes the radio's password check with the password just
// written, and names the addresses a radio acknowledged but did not store.
TEST_F(CliRadio, WriteVerifyReadsBack) {
    MemoryImage file = PatternMemory(5);
    EncodePasswordBytes("2468", file);
    ASSERT_TRUE(SaveChannelFile(Path("f.sin"), file).ok);
    sim::RadioFaults dropped;
    dropped.droppedWrite = 0x0320;
    for (const sim::RadioFaults& faults : {sim::RadioFaults{}, dropped}) {
        RadioOnPty radio(PatternMemory(6), faults);
        const CliRun run =
            RunCli(cli::RunWrite, {"--port", radio.Path(), "--verify", Path("f.sin")});
        const bool stored = !faults.droppedWrite;
        EXPECT_EQ(run.status, stored ? 0 : 1) << run.err;
        EXPECT_EQ(run.out, stored ? "Verify: the radio holds what was written\n" : "");
        EXPECT_TRUE(run.err.ends_with(
            stored ? "" : "Verify: 8 bytes differ after the Write: 0x320-0x327\n"))
            << run.err;
        radio.Finish();
        EXPECT_EQ(radio.Counters().reads, 1U + 1U + 512U) << "band probe, password probe, blocks";
    }
}

// Four radios at once: the silent one, the one pulled mid-write and the one
// that drops a block are reported by port; the healthy one holds the image.
// A device named twice is refused before a byte is sent.
TEST_F(CliRadio, FleetWriteReportsEveryRadioByPort) {
    const MemoryImage file = PatternMemory(5);
    ASSERT_TRUE(SaveChannelFile(Path("f.sin"), file).ok);
    RadioOnPty good(PatternMemory(6));
    RadioOnPty silent(PatternMemory(6), With(&sim::RadioFaults::silent, true));
    RadioOnPty pulled(PatternMemory(6), With(&sim::RadioFaults::pullAfter, 0x0400U));
    RadioOnPty dropping(PatternMemory(6), With(&sim::RadioFaults::droppedWrite, 0x0320U));
    std::filesystem::create_symlink(good.Path(), dir_ / "cable");
    const CliRun twice =
        RunCli(cli::RunWrite, {"--port", good.Path(), "--port", Path("cable"), Path("f.sin")});
    EXPECT_EQ(twice.status, 2);
    EXPECT_NE(twice.err.find("are the same device"), std::string::npos) << twice.err;

    const CliRun run = RunCli(
        cli::RunWrite, {"--port", good.Path(), "--port", silent.Path(), "--port", pulled.Path(),
                        "--port", dropping.Path(), "--verify", Path("f.sin")});
    EXPECT_EQ(run.status, 1);
    for (const auto& [port, result, verify] : std::vector<std::array<std::string, 3>>{
             {good.Path(), "OK", "OK"},
             {silent.Path(), "Communication error ", "-"},
             {pulled.Path(), "Communication error ", "-"},
             {dropping.Path(), "OK", "8 bytes differ: 0x320-0x327"}}) {
        const std::size_t row = run.out.find('\n' + port + ' ');
        ASSERT_NE(row, std::string::npos) << run.out;
        const std::string line = run.out.substr(row + 1, run.out.find('\n', row + 1) - row - 1);
        EXPECT_NE(line.find("  " + result), std::string::npos) << line;
        EXPECT_TRUE(line.ends_with("  " + verify)) << line;
    }
    EXPECT_NE(run.err.find('\n' + pulled.Path() + ": " + pulled.Path() + ": the line was lost"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(run.err.ends_with("3 of 4 radios failed: " + silent.Path() + ", " + pulled.Path() +
                                  ", " + dropping.Path() + "\n"))
        << run.err;
    // Read back at once, each into the folder under its device's name.
    std::filesystem::create_directory(dir_ / "radios");
    const CliRun read =
        RunCli(cli::RunRead, {"--port", good.Path(), "--port", dropping.Path(), Path("radios")});
    EXPECT_EQ(read.status, 0) << read.err;
    good.Finish();
    dropping.Finish();
    EXPECT_TRUE(UnwrittenAddresses(file, good.Memory()).empty());
    EXPECT_EQ(good.Counters().handshakes, 4U) << "the write's two, the read-back's, the read's";
    for (const RadioOnPty* radio : {&good, &dropping}) {
        const auto name = std::filesystem::path(radio->Path()).filename().string() + ".sin";
        EXPECT_EQ(Load(dir_ / "radios" / name), radio->Memory());
    }
}

// The end of tuning is sent only after an answered query.
TEST(CliPower, EndsTuningOnlyAfterAnAnsweredQuery) {
    const MemoryImage before = PatternMemory(8);
    RadioOnPty radio(before);
    const CliRun set = RunCli(cli::RunPower, {"--port", radio.Path(), "high-low", "17"});
    EXPECT_EQ(set.out, "High Low " + std::to_string(before[0xFFC]) + "\nHigh Low 17\n") << set.err;
    const CliRun query = RunCli(cli::RunPower, {"--port", radio.Path(), "high-low"});
    EXPECT_EQ(query.out, "High Low 17\n") << query.err;
    EXPECT_TRUE(radio.WaitFor([](const sim::RadioCounters& c) { return c.tuningEnds == 2; }));

    sim::RadioFaults faults;
    faults.silent = true;
    RadioOnPty silent(before, faults);
    const CliRun failed = RunCli(cli::RunPower, {"--port", silent.Path(), "low-low", "5"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.starts_with("Communication error\nCheck the cable")) << failed.err;
    EXPECT_EQ(failed.out, "");
    silent.Finish();
    EXPECT_EQ(silent.Counters().handshakes, 3U) << "the query's three, no end";
}

}  // namespace
}  // namespace torvan::test
