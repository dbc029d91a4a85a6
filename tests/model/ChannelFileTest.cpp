#include "model/ChannelFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
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

TEST(ChannelFile, FailedSaveLeavesThePreviousFile) {
    if (geteuid() == 0) {
        // Root ignores directory permissions; a folder in the way fails instead.
        TempDir dir;
        std::filesystem::create_directories(dir / "b.sin.saving");
        std::filesystem::create_directories(dir / "b.sin.saving" / "x");
        dir.Write("b.sin", "old");
        EXPECT_FALSE(SaveChannelFile(dir / "b.sin", Pattern()).ok);
        EXPECT_EQ(TempDir::Read(dir / "b.sin"), "old");
        return;
    }
    TempDir dir;
    dir.Write("b.sin", "old");
    chmod(dir.path().c_str(), 0500);
    const FileResult result = SaveChannelFile(dir / "b.sin", Pattern());
    chmod(dir.path().c_str(), 0700);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(TempDir::Read(dir / "b.sin"), "old");
}

TEST(ChannelFile, SavingIntoAMissingFolderFails) {
    TempDir dir;
    const FileResult result = SaveChannelFile(dir / "no" / "such" / "c.sin", Pattern());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

}  // namespace
}  // namespace torvan
