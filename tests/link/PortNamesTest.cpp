#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/IniStore.h"
#include "link/PortNames.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;

class PortNames : public testing::Test {
protected:
    void SetUp() override {
        path_ = fs::temp_directory_path() / ("torvan-ports-" + std::to_string(::getpid()) + ".ini");
        fs::remove(path_);
    }
    void TearDown() override { fs::remove(path_); }

    fs::path path_;
};

TEST_F(PortNames, DefaultsAreUsbCables) {
    const IniStore ini(path_);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"COM1", "/dev/ttyUSB0"},
        {"COM8", "/dev/ttyUSB7"},
        {"com3", "/dev/ttyUSB2"},
        {"COM0", ""},
        {"COM9", ""},
        {"COM10", ""},
        {"ttyS0", ""},
        {"", ""},
        {"/dev/pts/4", "/dev/pts/4"},
        {"/tmp/radio", "/tmp/radio"},
    };
    for (const auto& [name, device] : cases) {
        EXPECT_EQ(DevicePathFor(name, ini), device) << name;
    }
}

TEST_F(PortNames, PortsSectionMapsAnyComName) {
    std::ofstream(path_)
        << "[Setup]\nCOM=COM1\n[Ports]\nCOM1=/dev/ttyACM0\nCOM9=/dev/ttyS0\nCOM2=\n";
    const IniStore ini(path_);
    EXPECT_EQ(DevicePathFor("COM1", ini), "/dev/ttyACM0");
    EXPECT_EQ(DevicePathFor("COM9", ini), "/dev/ttyS0");
    EXPECT_EQ(DevicePathFor("COM2", ini), "/dev/ttyUSB1") << "an empty mapping keeps the default";
    EXPECT_EQ(DevicePathFor("COM3", ini), "/dev/ttyUSB2");
    EXPECT_EQ(DevicePathFor("/dev/ttyUSB5", ini), "/dev/ttyUSB5");
}

}  // namespace
}  // namespace torvan::test
