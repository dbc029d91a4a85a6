// torvan-cli write --verify against the simulated radio.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CloneCommands.h"
#include "link/WriteCheck.h"
#include "model/ChannelFile.h"
#include "model/ImageCodec.h"
#include "tests/TempDir.h"
#include "tests/link/SimulatedRadio.h"

namespace torvan::test {
namespace {

struct VerifyCase {
    const char* name;
    sim::RadioFaults faults;
    int status;
    std::string err;  // the last line on standard error
};

TEST(CliWriteVerify, ReadsBackAndNamesTheAddressesThatDiffer) {
    testing_support::TempDir dir;
    // The file carries a password: the read-back must pass the radio's
    // password check with the password just written.
    MemoryImage file = PatternMemory(5);
    EncodePasswordBytes("2468", file);
    const std::string path = (dir / "f.sin").string();
    ASSERT_TRUE(SaveChannelFile(path, file).ok);
    MemoryImage radioMemory = PatternMemory(6);
    std::copy_n(file.bytes().begin() + 0xFF0, 3, radioMemory.bytes().begin() + 0xFF0);

    sim::RadioFaults dropped;
    dropped.droppedWrite = 0x0320;
    const std::vector<VerifyCase> cases = {
        {"a radio that stores every block", {}, 0, ""},
        {"a block acknowledged but not stored", dropped, 1,
         "Verify: 8 bytes differ after the Write: 0x320-0x327\n"},
    };
    for (const VerifyCase& c : cases) {
        SimulatedRadio radio(radioMemory, c.faults);
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::RunWrite({"--port", radio.Path(), "--verify", path}, out, err);
        EXPECT_EQ(status, c.status) << c.name << ": " << err.str();
        const std::string errText = err.str();
        EXPECT_TRUE(errText.ends_with(c.err)) << c.name << ": " << errText;
        EXPECT_EQ(out.str(), c.status == 0 ? "Verify: the radio holds what was written\n" : "")
            << c.name;
        radio.Finish();
        EXPECT_EQ(radio.Counters().reads, 1U + 1U + 512U) << c.name << ": band probe, password probe, blocks";
    }
}

TEST(WriteCheck, ComparesOnlyWhatAWriteSends) {
    MemoryImage sent = PatternMemory(3);
    MemoryImage back = sent;
    for (const std::size_t address : {0x000UL, 0x001UL, 0x002UL, 0x7FFUL, 0xDFFUL, 0xE00UL, 0xFD2UL,
                                      0xFF1UL, 0xFF3UL, 0xFF8UL}) {
        back[address] ^= 0x01;
    }
    const auto differing = UnwrittenAddresses(sent, back);
    EXPECT_EQ(differing, (std::vector<std::size_t>{0x000, 0x001, 0x002, 0x7FF, 0xDFF, 0xFF1}));
    EXPECT_EQ(AddressRanges(differing), "0x000-0x002, 0x7FF, 0xDFF, 0xFF1");
}

}  // namespace
}  // namespace torvan::test
