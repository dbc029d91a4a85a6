// The channel-data file on disk: loading, and the one save path (SafeFile)
// that channel files, sheets and Program.ini share.
#include "model/ChannelFile.h"

#include <gtest/gtest.h>

#include <iostream>
#include <tuple>

#include "model/ReservedNames.h"
#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "tests/TempDir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "tests/RefusingPlace.h"
#endif

namespace torvan {
namespace {

using testing_support::TempDir;

MemoryImage Pattern() {
    MemoryImage image;
    for (std::size_t i = 0; i < MemoryImage::kSize; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    }
    return image;
}

std::string Refused(const std::filesystem::path& path, const std::string& reason) {
    return "Cannot save " + path.string() + ": " + reason + ".";
}

std::ptrdiff_t Entries(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

// Only the first 4096 bytes count; a shorter file, a missing one or a folder
// changes nothing and says why.
TEST(ChannelFile, LoadsAllOrNothing) {
    TempDir dir;
    ASSERT_TRUE(SaveChannelFile(dir / "a.sin", Pattern()).ok);
    const std::string bytes = TempDir::Read(dir / "a.sin");
    const std::string holds = " bytes, but a channel-data file holds 4096";
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"a.sin", bytes, ""},
        {"long.sin", bytes + std::string(100000, 'x'), ""},
        {"empty.sin", "", "it holds 0" + holds},
        {"short.sin", bytes.substr(1), "it holds 4095" + holds},
        {"missing.sin", "", "No such file or directory"},
        {"", "", "it is a folder"},
    };
    for (const auto& [name, content, reason] : cases) {
        const auto path =
            name.empty() || name == "missing.sin" ? dir / name : dir.Write(name, content);
        MemoryImage image;
        const std::string error = LoadChannelFile(path, image).error;
        EXPECT_EQ(error,
                  reason.empty() ? "" : "Cannot open " + path.string() + ": " + reason + ".");
        EXPECT_EQ(image, reason.empty() ? Pattern() : MemoryImage{}) << name;
    }
}

// Names reach the file system as the user wrote them (UTF-8 from the command
// line); Windows' device names are no files to save into, in any spelling.
TEST(SafeFile, Utf8NamesAndWindowsDeviceNames) {
    TempDir dir;
    const std::string name = Utf8FromPath(dir.path() / "Kan") + "\xC3\xA4le.sin";
    MemoryImage image;
    ASSERT_TRUE(SaveChannelFile(name, Pattern()).ok);
    EXPECT_TRUE(LoadChannelFile(name, image).ok);
    EXPECT_EQ(image, Pattern());
    const auto entry = std::filesystem::directory_iterator(dir.path())->path().filename();
    EXPECT_EQ(Utf8FromPath(entry), "Kan\xC3\xA4le.sin");
    for (const auto& [device, reserved] : {std::pair{"NUL", true},
                                           {"con.sin", true},
                                           {"COM1.csv", true},
                                           {"lpt9 .txt", true},
                                           {"CONIN$", true},
                                           {"COM\xC2\xB9.sin", true},
                                           {"COM10.sin", false},
                                           {"COM.sin", false},
                                           {"CONSOLE.sin", false},
                                           {"nul-list.csv", false},
                                           {"Kan\xC3\xA4le.sin", false}}) {
        EXPECT_EQ(IsReservedDeviceName(device), reserved) << device;
    }
#ifdef _WIN32
    EXPECT_EQ(CheckWritable(dir / "con.sin").error,
              Refused(dir / "con.sin", "it is a reserved device name on Windows"));
    const auto locked = dir.Write("locked.sin", "previous");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(SaveChannelFile(locked, Pattern()).error, Refused(locked, "it is read-only"));
    EXPECT_EQ(TempDir::Read(locked), "previous");
    EXPECT_EQ(Entries(dir.path()), 2) << "no temporary file is left";
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
}

#ifndef _WIN32
using testing_support::Refusal;
using testing_support::RefusingPlace;

// A disk that says no: a clear message, the previous file as it was and no
// temporary file beside it.
TEST(SafeFile, ARefusingDiskKeepsThePreviousFile) {
    for (const auto& [refusal, name] : {std::pair{Refusal::FullDisk, "full disk"},
                                        {Refusal::ReadOnlyFolder, "read-only folder"},
                                        {Refusal::ReadOnlyFile, "read-only file"}}) {
        const RefusingPlace place(refusal, "radio.sin", "previous");
        if (!place.SkipReason().empty()) {
            std::cout << "note: " << name << " skipped: " << place.SkipReason() << "\n";
            continue;
        }
        EXPECT_EQ(SaveChannelFile(place.File(), Pattern()).error,
                  Refused(place.File(), place.Reason()));
        EXPECT_EQ(place.Contents(), "previous") << name;
        EXPECT_TRUE(place.Unchanged()) << name;
    }
}

// A save replaces only regular files: whatever else stands in its place is
// refused and left as it was.
TEST(SafeFile, RefusesWhatItWouldDestroy) {
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0666), 0);
    std::filesystem::create_symlink("fifo", dir / "fifo-link");
    std::filesystem::create_symlink("loop2", dir / "loop1");
    std::filesystem::create_symlink("loop1", dir / "loop2");
    std::filesystem::create_directories(dir / "folder");
    std::vector<std::pair<std::string, std::string>> cases = {
        {"fifo", "not a regular file"},
        {"fifo-link", "not a regular file"},
        {"loop1", "Too many levels of symbolic links"},
        {"folder", "it is a folder"},
    };
    if (mknod((dir / "chr").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        cases.emplace_back("chr", "not a regular file");  // a device node, where root may make one
    }
    for (const auto& [name, reason] : cases) {
        struct stat before {};
        struct stat after {};
        ASSERT_EQ(lstat((dir / name).c_str(), &before), 0) << name;
        EXPECT_EQ(SaveChannelFile(dir / name, Pattern()).error, Refused(dir / name, reason));
        ASSERT_EQ(lstat((dir / name).c_str(), &after), 0) << name;
        EXPECT_EQ(after.st_ino, before.st_ino) << name;
    }
    EXPECT_EQ(Entries(dir.path()), static_cast<std::ptrdiff_t>(cases.size() + 1));
    EXPECT_EQ(
        SaveChannelFile(dir / "no" / "x.sin", Pattern()).error,
        Refused(dir / "no" / "x.sin", "the folder " + (dir / "no").string() + " does not exist"));
}

// Saving writes into what the user named: through a symbolic link, and with
// the permission bits the file had (a .sin holds the radio password).
TEST(SafeFile, KeepsLinksAndPermissions) {
    TempDir dir;
    std::filesystem::create_directories(dir / "real");
    dir.Write("real/radio.sin", "old");
    chmod((dir / "real" / "radio.sin").c_str(), 0600);
    std::filesystem::create_symlink("real/radio.sin", dir / "link.sin");
    ASSERT_TRUE(WriteFileAtomically(dir / "link.sin", std::string("new")).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.sin"));
    EXPECT_EQ(TempDir::Read(dir / "real" / "radio.sin"), "new");
    struct stat info {};
    ASSERT_EQ(stat((dir / "real" / "radio.sin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600U);
    EXPECT_EQ(Entries(dir / "real"), 1);
}
#endif

}  // namespace
}  // namespace torvan
