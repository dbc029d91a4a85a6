// The link's rules without a port: port names, who may open a port and the
// check after a Write.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>

#include <tuple>

#include "config/PortsSection.h"
#include "link/PortNames.h"
#include "link/WriteCheck.h"
#include "link/serial/PortList.h"
#include "tests/TempDir.h"
#include "tools/SimulatorSettings.h"

namespace torvan::test {
namespace {

TEST(PortNames, UsbCablesByDefaultPortsSectionFirstPathsAsTheyAre) {
    const testing_support::TempDir dir;
    const PortResolver ports(PortsSection(
        dir.Write("Program.ini", "[Ports]\nCOM1=/dev/ttyACM0\nCOM12=/dev/ttyS0\nCOM2=\n")));
    const std::string unknown = "no serial device is known for the port name ";
    const std::string hint = "; a device path starts with /, as in /dev/ttyS0";
    // The device, or why there is none.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"COM1", "/dev/ttyACM0"},     {"COM12", "/dev/ttyS0"},
        {"COM2", "/dev/ttyUSB1"},     {"com3", "/dev/ttyUSB2"},
        {"COM8", "/dev/ttyUSB7"},     {"COM0", unknown + "COM0"},
        {"COM9", unknown + "COM9"},   {"ttyS0", unknown + "ttyS0" + hint},
        {"", "no port is selected"},  {"dev/ttyS0", unknown + "dev/ttyS0" + hint},
        {"/dev/pts/4", "/dev/pts/4"},
    };
    for (const auto& [name, said] : cases) {
        const PortDevice device = ports.Resolve(name);
        EXPECT_EQ(device.ok ? device.value : device.error, said) << name;
    }
    // A run with the simulated radio: every name leads to it.
    const PortResolver simulated = PortResolver::Simulated("/dev/pts/9");
    for (const std::string name : {"COM1", "", "COM9"}) {
        EXPECT_EQ(simulated.Resolve(name).value, "/dev/pts/9") << name;
    }
}

// Windows: COM names are the system's own, in any letter case, from COM1 to
// COM256; a device name is taken as it is; nothing else is a port.
TEST(PortNames, WindowsComNamesAndDeviceNames) {
    const std::string none = "no serial port is named ";
    const std::string hint = "; a port is named COM and its number, as in COM3";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"COM1", R"(\\.\COM1)"},
        {"com12", R"(\\.\COM12)"},
        {R"(\\.\com5)", R"(\\.\COM5)"},
        {"COM256", R"(\\.\COM256)"},
        {R"(\\.\CNCA0)", R"(\\.\CNCA0)"},
        {"COM0", none + "COM0" + hint},
        {"COM257", none + "COM257" + hint},
        {"COM05", none + "COM05" + hint},
        {"COM", none + "COM" + hint},
        {R"(\\.\)", none + R"(\\.\)" + hint},
        {"/dev/ttyUSB0", none + "/dev/ttyUSB0" + hint},
        {"", "no port is selected"},
    };
    for (const auto& [name, said] : cases) {
        const PortDevice device = WindowsPortDevice(name);
        EXPECT_EQ(device.ok ? device.value : device.error, said) << name;
    }
}

TEST(WriteCheck, ComparesOnlyWhatAWriteSends) {
    MemoryImage sent = sim::PatternMemory(3);
    MemoryImage back = sent;
    for (const std::size_t address : {0x000UL, 0x001UL, 0x002UL, 0x7FFUL, 0xDFFUL, 0xE00UL, 0xFD2UL,
                                      0xFF1UL, 0xFF3UL, 0xFF8UL}) {
        back[address] ^= 0x01;
    }
    const auto differing = UnwrittenAddresses(sent, back);
    EXPECT_EQ(differing, (std::vector<std::size_t>{0x000, 0x001, 0x002, 0x7FF, 0xDFF, 0xFF1}));
    EXPECT_EQ(AddressRanges(differing), "0x000-0x002, 0x7FF, 0xDFF, 0xFF1");
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
