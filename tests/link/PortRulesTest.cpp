// The rules under every port: read time-outs and port-name resolution.
#include <gtest/gtest.h>

#include "config/IniStore.h"
#include "link/PortNames.h"
#include "link/ReadDeadline.h"
#include "tests/TempDir.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;

TEST(ReadDeadline, TotalFromTheStartIntervalFromTheLatestByte) {
    const ReadDeadline::Clock::time_point t0{1h};
    const ReadDeadline silent(ClonePacing, 12, t0);
    EXPECT_EQ(silent.RemainingMs(t0), 700);  // 100 + 50 x 12
    EXPECT_EQ(silent.RemainingMs(t0 + 699'100us), 1) << "rounded up";
    EXPECT_EQ(silent.RemainingMs(t0 + 700ms), 0);

    ReadDeadline reply(ClonePacing, 12, t0);
    reply.BytesArrived(t0 + 10ms);
    EXPECT_EQ(reply.RemainingMs(t0 + 10ms), 30);
    reply.BytesArrived(t0 + 35ms);
    EXPECT_EQ(reply.RemainingMs(t0 + 40ms), 25);
    EXPECT_EQ(reply.RemainingMs(t0 + 65ms), 0);

    ReadDeadline trickle(TuningPacing, 1, t0);  // total 200, interval 50
    trickle.BytesArrived(t0 + 100ms);
    EXPECT_EQ(trickle.RemainingMs(t0 + 100ms), 50);
    trickle.BytesArrived(t0 + 180ms);
    EXPECT_EQ(trickle.RemainingMs(t0 + 180ms), 20);

    EXPECT_EQ(WriteTimeLimit(ClonePacing, 4), 250ms);
    EXPECT_EQ(WriteTimeLimit(TuningPacing, 1), 100ms);
}

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
