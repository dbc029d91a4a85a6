// Port-name resolution.
#include <gtest/gtest.h>

#include "config/IniStore.h"
#include "link/PortNames.h"
#include "tests/TempDir.h"

namespace torvan::test {
namespace {

TEST(PortNames, UsbCablesByDefaultPortsSectionFirstPathsAsTheyAre) {
    const testing_support::TempDir dir;
    const IniStore ini(
        dir.Write("Program.ini", "[Ports]\nCOM1=/dev/ttyACM0\nCOM12=/dev/ttyS0\nCOM2=\n"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"COM1", "/dev/ttyACM0"},
        {"COM12", "/dev/ttyS0"},
        {"COM2", "/dev/ttyUSB1"},
        {"com3", "/dev/ttyUSB2"},
        {"COM8", "/dev/ttyUSB7"},
        {"COM0", ""},
        {"COM9", ""},
        {"ttyS0", ""},
        {"", ""},
        {"/dev/pts/4", "/dev/pts/4"},
    };
    for (const auto& [name, device] : cases) {
        EXPECT_EQ(DevicePathFor(name, ini), device) << name;
    }
    // A run with the simulated radio: every name leads to it, for as long as
    // the routing lasts.
    RouteAllPortsTo("/dev/pts/9");
    for (const auto& [name, device] : cases) {
        EXPECT_EQ(DevicePathFor(name, ini), "/dev/pts/9") << name;
        EXPECT_EQ(DevicePathFor(name), "/dev/pts/9") << name;
    }
    RouteAllPortsTo("");
    EXPECT_EQ(DevicePathFor("COM2", ini), "/dev/ttyUSB1");
}

}  // namespace
}  // namespace torvan::test
