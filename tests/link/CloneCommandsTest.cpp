// torvan-cli read, write and power against the simulated radio.
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CloneCommands.h"
#include "model/ChannelFile.h"
#include "model/ImageCodec.h"
#include "tests/link/SimulatedRadio.h"
#include "tools/SimulatorSettings.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;
using sim::PatternMemory;

class CliClone : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("torvan-cli-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    int Run(int (*command)(const cli::Args&, std::ostream&, std::ostream&), cli::Args args) {
        out_.str("");
        err_.str("");
        return command(args, out_, err_);
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliClone, ReadThenWriteBackLeavesTheRadioAsItWas) {
    MemoryImage before = PatternMemory(21);
    EncodePasswordBytes("4321", before);
    SimulatedRadio radio(before);
    const fs::path file = dir_ / "radio.sin";

    ASSERT_EQ(Run(cli::RunRead, {"--port", radio.Path(), "--password", "4321", file.string()}), 0)
        << err_.str();
    MemoryImage saved;
    ASSERT_TRUE(LoadChannelFile(file, saved).ok);
    EXPECT_EQ(saved, before);
    EXPECT_NE(err_.str().find("Read data: 100%"), std::string::npos) << err_.str();

    ASSERT_EQ(Run(cli::RunWrite, {"--port", radio.Path(), file.string()}), 0) << err_.str();
    radio.Finish();
    EXPECT_EQ(radio.Memory(), before);
    EXPECT_EQ(radio.Counters().writes, 449U);
}

TEST_F(CliClone, FailedReadWritesNoFile) {
    MemoryImage memory = PatternMemory(21);
    EncodePasswordBytes("4321", memory);
    SimulatedRadio radio(memory);
    const fs::path file = dir_ / "old.sin";
    std::ofstream(file) << "previous";

    EXPECT_EQ(Run(cli::RunRead, {"--port", radio.Path(), "--password", "1234", file.string()}), 1);
    EXPECT_EQ(err_.str().substr(0, 15), "Password error\n");
    std::ifstream in(file);
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "previous");
}

TEST_F(CliClone, MessagesAndReasons) {
    EXPECT_EQ(Run(cli::RunRead, {"--port", (dir_ / "none").string(), (dir_ / "x.sin").string()}),
              1);
    EXPECT_EQ(err_.str(),
              "Open the port fail\n" + (dir_ / "none").string() + ": No such file or directory\n");
    EXPECT_FALSE(fs::exists(dir_ / "x.sin"));

    MemoryImage other = PatternMemory(1);
    other[0xFF0] = 0x40;
    const fs::path file = dir_ / "other-band.sin";
    ASSERT_TRUE(SaveChannelFile(file, other).ok);
    SimulatedRadio radio(PatternMemory(1));
    EXPECT_EQ(Run(cli::RunWrite, {"--port", radio.Path(), file.string()}), 1);
    EXPECT_EQ(err_.str(), "Frequency is not match.\n");
}

TEST_F(CliClone, UsageErrors) {
    const std::vector<cli::Args> bad = {
        {"x.sin"},
        {"--port"},
        {"--port", "COM1"},
        {"--port", "COM1", "a.sin", "b.sin"},
        {"--port", "COM1", "--password", "12a", "x.sin"},
        {"--port", "COM1", "--password", "1234567", "x.sin"},
        {"--port", "COM1", "--baud", "x.sin"},
    };
    for (const cli::Args& args : bad) {
        EXPECT_EQ(Run(cli::RunRead, args), 2) << args.size();
        EXPECT_FALSE(err_.str().empty());
    }
    EXPECT_EQ(Run(cli::RunPower, {"--port", "COM1", "medium"}), 2);
    EXPECT_EQ(Run(cli::RunPower, {"--port", "COM1", "low-low", "256"}), 2);
    EXPECT_EQ(Run(cli::RunPower, {"--port", "COM1", "low-low", "-1"}), 2);
    EXPECT_EQ(Run(cli::RunWrite, {"--port", "COM1", "--password", "1", "x.sin"}), 2);
}

TEST_F(CliClone, PowerPrintsSetsAndEndsTuning) {
    const MemoryImage before = PatternMemory(8);
    SimulatedRadio radio(before);

    ASSERT_EQ(Run(cli::RunPower, {"--port", radio.Path(), "high-low", "17"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "High Low " + std::to_string(before[0xFFC]) + "\nHigh Low 17\n");
    ASSERT_EQ(Run(cli::RunPower, {"--port", radio.Path(), "high-low"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "High Low 17\n");
    EXPECT_TRUE(radio.WaitFor([](const sim::RadioCounters& c) { return c.tuningEnds == 2; }));
}

TEST_F(CliClone, PowerOnASilentRadioFails) {
    sim::RadioFaults faults;
    faults.silent = true;
    SimulatedRadio radio(PatternMemory(8), faults);
    EXPECT_EQ(Run(cli::RunPower, {"--port", radio.Path(), "low-low", "5"}), 1);
    EXPECT_EQ(err_.str(), "Communication error\n");
    EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace torvan::test
