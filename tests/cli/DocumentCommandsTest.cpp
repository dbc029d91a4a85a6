// new, show (text and --json) and diff on files.
#include "cli/DocumentCommands.h"

#include <gtest/gtest.h>

#include "cli/DiffCommand.h"
#include "model/ChannelFile.h"
#include "tests/CliRun.h"
#include "tests/TempDir.h"

namespace torvan::cli {
namespace {

using testing_support::TempDir;

using Outcome = testing_support::CliRun;
constexpr auto Invoke = testing_support::RunCli;

class DocumentCommands : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Invoke(RunNew, {Path("new.sin")}).status, 0); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    MemoryImage Load(const std::string& name) const {
        MemoryImage image;
        EXPECT_TRUE(LoadChannelFile(Path(name), image).ok) << name;
        return image;
    }

    TempDir dir_;
};

TEST_F(DocumentCommands, NewWritesTheNewDocumentAsSaveWould) {
    MemoryImage expected;
    expected.ResetToNewDocument();
    for (std::size_t slot = 0; slot < 128; ++slot) {
        expected[slot * 16 + 13] = 0xFE;
    }
    expected[0xFF0] = 0x13;
    expected[0xFF1] = 0x17;
    expected[0xFF2] = 0x64;
    EXPECT_EQ(Load("new.sin"), expected);
}

// Wrong arguments and unreadable files: one line on standard error, nothing
// on standard output, no file written.
TEST_F(DocumentCommands, ErrorsSayOneLineAndWriteNothing) {
    dir_.Write("short.sin", std::string(4095, '\0'));
    const std::vector<std::pair<decltype(&RunNew), Args>> cases = {
        {RunShow, {Path("missing.sin")}},
        {RunShow, {Path("short.sin")}},
        {RunShow, {Path("")}},
        {RunShow, {}},
        {RunShow, {Path("short.sin"), Path("short.sin")}},
        {RunNew, {"--force"}},
    };
    for (const auto& [command, args] : cases) {
        const Outcome run = Invoke(command, args);
        const std::string said = args.empty() ? "(none)" : args[0];
        EXPECT_NE(run.status, 0) << said;
        EXPECT_EQ(run.out, "") << said;
        ASSERT_FALSE(run.err.empty()) << said;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
}

// show (as text and as JSON) and diff name each field as the window does.
TEST_F(DocumentCommands, ShowAndDiffUseTheWindowsTexts) {
    MemoryImage b = Load("new.sin");
    const auto set = [&b](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), b.bytes().begin() + static_cast<std::ptrdiff_t>(at));
    };
    set(0x814, {2});                       // TOT 60
    set(0x81D, {0x84});                    // side key 1 short FM
    set(0xD80, {0x00, 0x00, 0x81, 0x08});  // preset 1 88.10
    set(0xFFA, {0x42});                    // Middle Low
    set(0x010, {0x00, 0x25, 0x55, 0x14});  // channel 2 Rx, on new-document bytes
    set(0x80C, {0x00});                    // owned by no field
    set(0x000, {0x12});                    // a byte of empty channel 1
    ASSERT_TRUE(SaveChannelFile(Path("b.sin"), b).ok);

    const std::string shown =
        Invoke(RunShow, {Path("b.sin")}).out + Invoke(RunShow, {"--json", Path("b.sin")}).out;
    for (const char* part :
         {"\nTOT: 60\n", "\nPassword: \n", "\nSide Key\n  Side Key1 Short Press: FM\n",
          "\nCH  Rx Frequency  Tx Frequency  Rx Code",
          "\n2   145.52500                   None     None",
          "{\n  \"settings\": {\n    \"Model\": \"", "    \"Password\": \"\",\n",
          "  \"sideKey\": {\n    \"Side Key1 Short Press\": \"FM\",\n",
          "    \"Preset 1\": \"88.10\",\n", "    \"Preset 32\": \"\"\n  },\n",
          "  \"channels\": [\n    {\"CH\": 2, \"Rx Frequency\": \"145.52500\", \"Tx Frequency\": "
          "\"\", \"Rx Code\": \"None\"",
          "\"Name\": \"\"}\n  ]\n}\n"}) {
        EXPECT_NE(shown.find(part), std::string::npos) << part << "\nin\n" << shown;
    }
    EXPECT_EQ(shown.find("\n1 "), std::string::npos) << "empty channels are not listed";

    const Outcome same = Invoke(RunDiff, {Path("new.sin"), Path("new.sin")});
    EXPECT_EQ(std::tuple(same.status, same.out), std::tuple(0, ""));
    const Outcome differ = Invoke(RunDiff, {Path("new.sin"), Path("b.sin")});
    EXPECT_EQ(differ.status, 1);
    EXPECT_EQ(differ.out,
              "Settings, TOT: \"Off\" -> \"60\"\n"
              "Side Key, Side Key1 Short Press: \"Monitor\" -> \"FM\"\n"
              "Radio, Preset 1: \"\" -> \"88.10\"\n"
              "Power Tuning, Middle Low: \"255\" -> \"66\"\n"
              "Channel 2, Rx Frequency: \"\" -> \"145.52500\"\n"
              "Channel 2, Rx Code: \"\" -> \"None\"\n"
              "Channel 2, Tx Code: \"\" -> \"None\"\n"
              "Channel 2, Tx Power: \"\" -> \"High\"\n"
              "Channel 2, Bandwidth: \"\" -> \"Wide\"\n"
              "Channel 2, Scan Add: \"\" -> \"Yes\"\n"
              "Channel 2, PTT ID: \"\" -> \"Both\"\n"
              "Byte 0x000: FF -> 12\n"
              "Byte 0x80C: FF -> 00\n");
    EXPECT_EQ(Invoke(RunDiff, {Path("new.sin"), Path("none.sin")}).status, 2);
    EXPECT_EQ(Invoke(RunDiff, {Path("new.sin")}).status, 2);
}

}  // namespace
}  // namespace torvan::cli
