// Port names, and who may open a port.
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

#include <tuple>

#include "config/IniStore.h"
#include "link/PortNames.h"
#include "link/qt/PortList.h"
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

// A user refused a port is sent to its group only when that group may read
// and write it; a port of mode 0600 is for its owner alone.
TEST(PortList, NamesTheGroupOnlyWhenItMayReadAndWrite) {
    const testing_support::TempDir dir;
    const auto device = dir.Write("ttyX", "");
    const std::string user = ::getpwuid(::geteuid())->pw_name;
    const std::string group = ::getgrgid(::getegid())->gr_name;
    const std::vector<std::tuple<mode_t, std::string, std::string>> cases = {
        {0600, "", user}, {0640, "", user}, {0660, group, ""}};
    for (const auto& [mode, named, owner] : cases) {
        ::chmod(device.c_str(), mode);
        PresentPort port;
        port.device = device.string();
        FindWhoMayOpen(port);
        EXPECT_EQ(port.group, named) << std::oct << mode;
        EXPECT_EQ(port.owner, owner) << std::oct << mode;
    }
}

}  // namespace
}  // namespace torvan::test
