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
#include <filesystem>
#include <functional>
#include <tuple>

#include "link/serial/SerialPortQt.h"
#include "link/serial/SerialThread.h"
#include "tests/TempDir.h"

namespace torvan::test {
namespace {

// Opens `path` with `profile` on a serial thread and hands the port to `use`.
void WithPort(const std::string& path, const TimeoutProfile& profile,
              const std::function<void(SerialPort&)>& use,
              SerialPortQt::DriverQueue queue = SerialPortQt::SystemDriverQueue()) {
    RunOnSerialThread([&] {
        SerialPortQt port(std::move(queue));
        const Result opened = port.OpenPort(path);
        ASSERT_TRUE(opened.ok) << opened.error;
        port.ConfigurePort(profile);
        use(port);
    });
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

// Nothing but a serial line is opened: other terminals would show the
// protocol bytes on a screen (or open a new pseudo-terminal, for /dev/ptmx),
// and no byte may land in a file. The program's own terminal is a
// pseudo-terminal like a simulated radio's, but the user reads it. (A port
// in use: the clone table.)
TEST(SerialPortQt, OpensNothingButASerialLine) {
    const testing_support::TempDir dir;
    const auto file = dir.Write("not-a-port", "untouched");
    const FarEnd own;
    const int savedErr = ::dup(STDERR_FILENO);
    ::dup2(own.slave, STDERR_FILENO);
    for (const std::string port : {"", "/dev/null", "/dev/tty", "/dev/ptmx", "/dev/console",
                                   "/dev/tty1", file.c_str(), own.path.c_str()}) {
        if (port.starts_with("/dev/") && !std::filesystem::exists(port)) {
            continue;
        }
        RunOnSerialThread([&] {
            SerialPortQt serial;
            const Result opened = serial.OpenPort(port);
            EXPECT_TRUE(!opened.ok && !opened.error.empty()) << port;
            EXPECT_TRUE(port != own.path ||
                        opened.error.ends_with("the terminal this program runs in"));
        });
    }
    ::dup2(savedErr, STDERR_FILENO);
    ::close(savedErr);
    EXPECT_EQ(testing_support::TempDir::Read(file), "untouched");
}

// Bytes a write time-out cut off must not go out later ahead of the next
// command. A pseudo-terminal never reports queued bytes, so the driver's
// queue is played here: it stays full until discarded.
TEST(SerialPortQt, WriteTimeOutDiscardsTheQueue) {
    FarEnd far;
    int discards = 0;
    std::size_t sent = 0;
    std::string error;
    WithPort(far.path, TimeoutProfile{30, 50, 100, 0, 20},
             [&](SerialPort& port) {
                 sent = port.WriteBytes(std::vector<std::uint8_t>(8, 0x42));
                 error = port.ErrorText();
             },
             {[&](int) { return discards == 0 ? 5 : 0; }, [&](int) { ++discards; }});
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

// Each read ends by its own rule; a wrong rule would wait out the long total
// time-out and trip the test's time-out instead. The case, the time-outs, the
// bytes the far end sends first (-1: it hangs up) and the bytes read.
TEST(SerialPortQt, ReadsEndByTheirTimeOuts) {
    constexpr TimeoutProfile kLongTotal{30, 0, 600000, 50, 50};
    const std::tuple<const char*, TimeoutProfile, int, std::size_t> cases[] = {
        {"all bytes came", kLongTotal, 12, 12},
        {"a short reply ends on the interval", kLongTotal, 3, 3},
        {"silence ends on the total", ClonePacing, 0, 0},
        {"a hung-up line ends at once", kLongTotal, -1, 0},
    };
    for (const auto& [name, profile, sent, got] : cases) {
        SCOPED_TRACE(name);
        FarEnd far;
        WithPort(far.path, profile, [&](SerialPort& port) {
            port.Purge();
            if (sent < 0) {
                far.HangUp();
            } else {
                const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(sent), 0x5A);
                EXPECT_EQ(::write(far.master, bytes.data(), bytes.size()), sent);
            }
            std::array<std::uint8_t, 12> buffer{};
            EXPECT_EQ(port.ReadBytes(buffer), got);
            EXPECT_EQ(port.ErrorText().empty(), sent >= 0) << port.ErrorText();
        });
    }
}

}  // namespace
}  // namespace torvan::test
