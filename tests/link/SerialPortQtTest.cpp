// The QSerialPort binding on pseudo-terminals: which ports it refuses, its
// read time-outs and its write drain.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>

#include "tests/TempDir.h"
#include "tests/link/SimulatedRadio.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Nothing but a free serial device is opened, and no byte lands in a file.
TEST(SerialPortQt, TransferRefusesAnythingButAFreeTerminal) {
    const testing_support::TempDir dir;
    const auto file = dir.Write("not-a-port", "untouched");
    SimulatedRadio radio(PatternMemory(1));
    // An flock held elsewhere keeps the port even from a process run as root.
    const int holder = ::open(radio.Path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);

    // Terminals that are not serial lines would show the protocol bytes on a
    // screen (or open a new pseudo-terminal, for /dev/ptmx).
    for (const std::string& port :
         {std::string(), (dir / "missing").string(), file.string(), std::string("/dev/null"),
          radio.Path(), std::string("/dev/tty"), std::string("/dev/ptmx"),
          std::string("/dev/console"), std::string("/dev/tty1")}) {
        if (port.starts_with("/dev/") && port != "/dev/null" && !std::filesystem::exists(port)) {
            continue;
        }
        MemoryImage image = PatternMemory(4);
        const CloneResult result = RunClone(CloneDirection::Write, port, image);
        EXPECT_EQ(result.sink.events, (std::vector<std::string>{"failure", "failed"})) << port;
        EXPECT_EQ(result.sink.failure, clone_message::kOpenPortFail) << port;
        EXPECT_FALSE(result.reason.empty()) << port;
    }
    ::close(holder);
    EXPECT_EQ(testing_support::TempDir::Read(file), "untouched");
    EXPECT_EQ(radio.Counters().handshakes, 0U);
}

// The far end of a bare line: the master side of a raw pseudo-terminal.
struct FarEnd {
    FarEnd() {
        termios raw{};
        ::cfmakeraw(&raw);
        if (::openpty(&master, &slave, nullptr, &raw, nullptr) != 0) {
            ADD_FAILURE() << "no pseudo-terminal";
            return;
        }
        path = ::ttyname(slave);
    }
    ~FarEnd() { HangUp(); }
    void HangUp() {
        ::close(slave);
        ::close(master);
        slave = master = -1;
    }
    // Reads until `want` bytes came or the line was quiet for 5 s.
    std::size_t Receive(std::size_t want) const {
        std::array<std::uint8_t, 4096> buffer{};
        std::size_t total = 0;
        pollfd fd{master, POLLIN, 0};
        while (total<want&& ::poll(&fd, 1, 5000)> 0) {
            const ssize_t n = ::read(master, buffer.data(), buffer.size());
            if (n <= 0) {
                break;
            }
            total += static_cast<std::size_t>(n);
        }
        return total;
    }

    int master = -1;
    int slave = -1;
    std::string path;
};

// The program's own terminal is a pseudo-terminal like a simulated radio's,
// but the user reads it.
TEST(SerialPortQt, OwnTerminalIsRefused) {
    FarEnd far;
    const int savedErr = ::dup(STDERR_FILENO);
    ::dup2(far.slave, STDERR_FILENO);
    std::string reason;
    RunOnSerialThread([&] {
        SerialPortQt port;
        EXPECT_FALSE(port.OpenPort(far.path));
        reason = port.ErrorText();
    });
    ::dup2(savedErr, STDERR_FILENO);
    ::close(savedErr);
    EXPECT_NE(reason.find("the terminal this program runs in"), std::string::npos) << reason;
}

// Bytes a write time-out cut off must not go out later ahead of the next
// command. A pseudo-terminal never reports queued bytes, so the driver's
// queue is played here: it stays full until discarded.
TEST(SerialPortQt, WriteTimeOutDiscardsTheQueue) {
    FarEnd far;
    int discards = 0;
    std::size_t sent = 0;
    std::string error;
    WithPort(far.path, TimeoutProfile{30, 50, 100, 0, 20}, [&](SerialPort& port) {
        auto& serial = static_cast<SerialPortQt&>(port);
        serial.SetDriverQueue({[&](int) { return discards == 0 ? 5 : 0; },
                               [&](int) { ++discards; }});
        sent = port.WriteBytes(std::vector<std::uint8_t>(8, 0x42));
        error = port.ErrorText();
    });
    EXPECT_EQ(discards, 1);
    EXPECT_EQ(sent, 3U) << "five of eight still queued";
    EXPECT_NE(error.find("write time-out"), std::string::npos) << error;
}

// A write on a line that went away is the lost line, not a time-out: the
// user is told to look at the cable.
TEST(SerialPortQt, WriteOnAHungUpLineSaysTheLineWasLost) {
    FarEnd far;
    std::string error;
    WithPort(far.path, ClonePacing, [&](SerialPort& port) {
        far.HangUp();
        port.WriteBytes(std::vector<std::uint8_t>(8, 0x42));
        error = port.ErrorText();
    });
    EXPECT_NE(error.find("the line was lost"), std::string::npos) << error;
}

TEST(SerialPortQt, PurgeAfterAWriteLosesNothing) {
    FarEnd far;
    WithPort(far.path, ClonePacing, [](SerialPort& port) {
        EXPECT_EQ(port.WriteBytes(std::vector<std::uint8_t>(300, 0x42)), 300U);
        port.Purge();
    });
    EXPECT_EQ(far.Receive(300), 300U);
}

TEST(SerialPortQt, ReadsEndByTheirTimeOuts) {
    constexpr TimeoutProfile kLongTotal{30, 50, 3000, 50, 50};  // 3.6 s for 12 bytes
    struct Case {
        const char* name;
        TimeoutProfile profile;
        int sent;  // bytes the far end sends first; -1: it hangs up
        std::size_t got;
        std::chrono::milliseconds least, most;
    };
    const Case cases[] = {
        {"all bytes came", kLongTotal, 12, 12, 0ms, 1500ms},
        {"a short reply ends on the interval", kLongTotal, 3, 3, 29ms, 1500ms},
        {"silence ends on the total", ClonePacing, 0, 0, 700ms, 5000ms},
        {"a hung-up line ends at once", kLongTotal, -1, 0, 0ms, 1500ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FarEnd far;
        std::size_t got = 0;
        Clock::duration elapsed{};
        std::string error;
        WithPort(far.path, c.profile, [&](SerialPort& port) {
            port.Purge();
            if (c.sent < 0) {
                far.HangUp();
            } else {
                const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(c.sent), 0x5A);
                EXPECT_EQ(::write(far.master, bytes.data(), bytes.size()), c.sent);
            }
            std::array<std::uint8_t, 12> buffer{};
            const auto start = Clock::now();
            got = port.ReadBytes(buffer);
            elapsed = Clock::now() - start;
            error = port.ErrorText();
        });
        EXPECT_EQ(got, c.got);
        EXPECT_GE(elapsed, c.least);
        EXPECT_LT(elapsed, c.most);
        EXPECT_EQ(error.empty(), c.sent >= 0) << error;
    }
}

}  // namespace
}  // namespace torvan::test
