#include "model/ChannelFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <iostream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "tests/TempDir.h"

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

std::string AsText(const MemoryImage& image) {
    return std::string(reinterpret_cast<const char*>(image.bytes().data()), image.bytes().size());
}

TEST(ChannelFile, SaveThenLoadIsByteExact) {
    TempDir dir;
    const MemoryImage saved = Pattern();
    ASSERT_TRUE(SaveChannelFile(dir / "a.sin", saved).ok);
    EXPECT_EQ(TempDir::Read(dir / "a.sin"), AsText(saved));
    MemoryImage loaded;
    ASSERT_TRUE(LoadChannelFile(dir / "a.sin", loaded).ok);
    EXPECT_EQ(loaded, saved);
}

struct LengthCase {
    std::size_t length;
    bool opens;
};

class FileLengthTest : public testing::TestWithParam<LengthCase> {};

TEST_P(FileLengthTest, OnlyTheFirst4096BytesCountAndShortFilesChangeNothing) {
    TempDir dir;
    std::string content = AsText(Pattern());
    content.resize(GetParam().length, 'x');
    const auto path = dir.Write("f.sin", content);
    MemoryImage image;
    image.ResetToNewDocument();
    const MemoryImage before = image;
    const FileResult result = LoadChannelFile(path, image);
    EXPECT_EQ(result.ok, GetParam().opens);
    if (GetParam().opens) {
        EXPECT_EQ(image, Pattern());
    } else {
        EXPECT_EQ(image, before);
        EXPECT_NE(result.error.find("4096"), std::string::npos) << result.error;
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, FileLengthTest,
                         testing::Values(LengthCase{0, false}, LengthCase{4095, false},
                                         LengthCase{4096, true}, LengthCase{4097, true},
                                         LengthCase{100000, true}));

TEST(ChannelFile, MissingFileOrFolderFailsWithAMessage) {
    TempDir dir;
    MemoryImage image;
    for (const auto& path : {dir / "missing.sin", dir.path()}) {
        const FileResult result = LoadChannelFile(path, image);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(path.string()), std::string::npos) << result.error;
    }
    EXPECT_EQ(image, MemoryImage{});
}

// A file-size limit makes the write fail part-way, as a full disk does, for
// root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

TEST(ChannelFile, FailedSaveLeavesThePreviousFileAndNoTemporary) {
    TempDir dir;
    dir.Write("b.sin", "old");
    FileResult result;
    {
        const FileSizeLimit limit(1000);
        result = SaveChannelFile(dir / "b.sin", Pattern());
    }
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("too large"), std::string::npos) << result.error;
    EXPECT_EQ(TempDir::Read(dir / "b.sin"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Saving writes into what the user named: through a symbolic link, and with
// the permission bits the file had (a .sin holds the radio password).
TEST(ChannelFile, SaveKeepsLinksAndPermissions) {
    TempDir dir;
    std::filesystem::create_directories(dir / "real");
    dir.Write("real/radio.sin", "old");
    chmod((dir / "real" / "radio.sin").c_str(), 0600);
    std::filesystem::create_symlink("real/radio.sin", dir / "link.sin");
    ASSERT_TRUE(SaveChannelFile(dir / "link.sin", Pattern()).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.sin"));
    EXPECT_EQ(TempDir::Read(dir / "real" / "radio.sin").size(), MemoryImage::kSize);
    struct stat info {};
    ASSERT_EQ(stat((dir / "real" / "radio.sin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600U);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "real"), {}), 1);
}

// A save replaces only regular files: whatever else stands in its place is
// refused and left as it was, and no temporary file stays behind.
TEST(ChannelFile, SaveRefusesWhatItWouldDestroy) {
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0666), 0);
    std::filesystem::create_symlink("fifo", dir / "fifo-link");
    std::filesystem::create_symlink("loop2", dir / "loop1");
    std::filesystem::create_symlink("loop1", dir / "loop2");
    std::vector<std::pair<std::string, std::string>> cases = {
        {"fifo", "not a regular file"},
        {"fifo-link", "not a regular file"},
        {"loop1", "Too many levels of symbolic links"},
    };
    if (geteuid() == 0 && mknod((dir / "chr").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        cases.emplace_back("chr", "not a regular file");
    } else {
        std::cout << "note: the device node case needs root\n";
    }
    for (const auto& [name, reason] : cases) {
        struct stat before {};
        struct stat after {};
        ASSERT_EQ(lstat((dir / name).c_str(), &before), 0) << name;
        const FileResult result = SaveChannelFile(dir / name, Pattern());
        EXPECT_EQ(result.error, "Cannot save " + (dir / name).string() + ": " + reason + ".");
        ASSERT_EQ(lstat((dir / name).c_str(), &after), 0) << name;
        EXPECT_EQ(after.st_ino, before.st_ino) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}),
              static_cast<std::ptrdiff_t>(cases.size() + 1));
}

TEST(ChannelFile, SavingIntoAMissingFolderFails) {
    TempDir dir;
    const FileResult result = SaveChannelFile(dir / "no" / "such" / "c.sin", Pattern());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

}  // namespace
}  // namespace torvan
