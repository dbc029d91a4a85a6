// The stable name a fleet's log gives each port's device.
#include "cli/FleetPorts.h"

#include <gtest/gtest.h>

#include "tests/TempDir.h"

namespace torvan::cli {
namespace {

// The by-id link that leads to the device, whatever the others lead to;
// none for a device no link leads to, or a port that leads nowhere.
TEST(FleetPorts, StableNameIsTheLinkThatLeadsToTheDevice) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no by-id links";
#else
    const testing_support::TempDir dir;
    const std::filesystem::path byId = dir / "by-id";
    std::filesystem::create_directory(byId);
    for (const char* name : {"a", "b", "c"}) {
        dir.Write(name, name);
    }
    std::filesystem::create_symlink(dir / "a", byId / "usb-Cable_A-if00-port0");
    std::filesystem::create_symlink(dir / "b", byId / "usb-Cable_B-if00-port0");
    const auto device = [&](const char* name) { return PortDevice::Success((dir / name).string()); };
    EXPECT_EQ(StableName(device("b"), byId), (byId / "usb-Cable_B-if00-port0").string());
    EXPECT_EQ(StableName(device("c"), byId), "");
    EXPECT_EQ(StableName(PortDevice::Failure("no such port"), byId), "");
#endif
}

}  // namespace
}  // namespace torvan::cli
