#include "config/ReadCopy.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <tuple>
#include <vector>

#include "config/ProgramFolders.h"
#include "tests/TempDir.h"

namespace torvan {
namespace {

#ifndef _WIN32
TEST(ReadCopy, DataFolderFollowsXdg) {
    const std::vector<std::tuple<const char*, const char*, std::string>> cases = {
        {"/data", "/home/u", "/data/torvan-pc-encoder"},
        {"", "/home/u", "/home/u/.local/share/torvan-pc-encoder"},
        {"relative", "/home/u", "/home/u/.local/share/torvan-pc-encoder"},
        {nullptr, "/home/u", "/home/u/.local/share/torvan-pc-encoder"},
        {nullptr, nullptr, ""},
        {nullptr, "relative", ""},
    };
    for (const auto& [xdg, home, folder] : cases) {
        EXPECT_EQ(DataFolder(xdg, home).string(), folder) << (xdg ? xdg : "-");
    }
}
#endif

// Copies are never replaced: a second read in the same second gets its own
// name; a folder that cannot be made is reported, nothing left behind.
TEST(ReadCopy, KeepsEveryReadUnderItsOwnName) {
    const testing_support::TempDir dir;
    MemoryImage first;
    MemoryImage second;
    first[0x123] = 0x45;
    second[0x123] = 0x67;
    const auto folder = dir / "new" / "folder";
    const auto when = std::chrono::system_clock::now();

    const auto a = KeepReadCopy(first, folder, when);
    const auto b = KeepReadCopy(second, folder, when);
    ASSERT_TRUE(a.ok && b.ok) << a.error << b.error;
    const std::string path = a.value.string();
    EXPECT_EQ(a.value.parent_path(), folder);
    EXPECT_TRUE(a.value.filename().string().starts_with("radio-read-"));
    EXPECT_EQ(b.value.string(), path.substr(0, path.size() - 4) + "-2.sin");
    const auto& raw = first.bytes();
    EXPECT_EQ(testing_support::TempDir::Read(a.value), std::string(raw.begin(), raw.end()));
    EXPECT_EQ(testing_support::TempDir::Read(b.value).size(), MemoryImage::kSize);

    const auto blocked = dir.Write("file", "not a folder");
    const auto failed = KeepReadCopy(first, blocked / "sub", when);
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.error.find("could not be kept"), std::string::npos) << failed.error;
    EXPECT_FALSE(KeepReadCopy(first, {}, when).ok);
}

}  // namespace
}  // namespace torvan
