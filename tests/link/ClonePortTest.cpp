// Ports the transfer must refuse: nothing that is not a free serial device is
// ever opened for the protocol, and no byte lands in a file.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/CloneTransfer.h"
#include "link/qt/SerialPortQt.h"
#include "link/qt/SerialThread.h"
#include "tests/link/SimulatedRadio.h"
#include "tools/SimulatorSettings.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;
using sim::PatternMemory;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectOpenFailure(const std::string& port) {
    MemoryImage image = PatternMemory(4);
    const MemoryImage original = image;
    const CloneResult result = RunClone(CloneDirection::Write, port, image);
    EXPECT_FALSE(result.ok) << port;
    EXPECT_EQ(result.sink.failure, clone_message::kOpenPortFail) << port;
    EXPECT_EQ(result.sink.events, (std::vector<std::string>{"failure", "finished"})) << port;
    EXPECT_EQ(image, original);
}

class ClonePort : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("torvan-port-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
};

TEST_F(ClonePort, NothingButASerialDeviceOpens) {
    const fs::path file = dir_ / "not-a-port";
    std::ofstream(file) << "untouched";
    const fs::path link = dir_ / "link-to-file";
    fs::create_symlink(file, link);

    for (const std::string& port : {std::string(), (dir_ / "missing").string(), file.string(),
                                    link.string(), dir_.string(), std::string("/dev/null")}) {
        ExpectOpenFailure(port);
    }
    EXPECT_EQ(Contents(file), "untouched");
}

TEST_F(ClonePort, PortHeldByThisProgramIsBusy) {
    SimulatedRadio radio(PatternMemory(1));
    RunOnSerialThread([&] {
        SerialPortQt holder;
        ASSERT_TRUE(holder.OpenPort(radio.Path())) << holder.ErrorText();
        ExpectOpenFailure(radio.Path());
        holder.ClosePort();
    });
    MemoryImage image;
    EXPECT_TRUE(RunClone(CloneDirection::Read, radio.Path(), image).ok)
        << "the port is free again once closed";
}

// An flock held elsewhere keeps the port even from a process running as root,
// which the terminal's exclusive mode does not stop.
TEST_F(ClonePort, PortLockedByAnotherProgramIsBusy) {
    SimulatedRadio radio(PatternMemory(1));
    const int fd = ::open(radio.Path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    ExpectOpenFailure(radio.Path());
    ::close(fd);
}

TEST_F(ClonePort, CloseAfterAFailedOpenIsHarmless) {
    RunOnSerialThread([&] {
        SerialPortQt port;
        EXPECT_FALSE(port.OpenPort((dir_ / "missing").string()));
        EXPECT_NE(port.ErrorText().find("No such file"), std::string::npos) << port.ErrorText();
        port.ClosePort();
        port.ClosePort();
    });
}

}  // namespace
}  // namespace torvan::test
