// The QSerialPort binding's read time-outs and write drain on a bare
// pseudo-terminal whose far end the test drives byte by byte.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

#include "link/qt/SerialPortQt.h"
#include "link/qt/SerialThread.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The far end of a line: the master side of a raw pseudo-terminal.
class FarEnd {
public:
    FarEnd() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        std::array<char, 128> name{};
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
            ::ptsname_r(master_, name.data(), name.size()) != 0) {
            ADD_FAILURE() << "no pseudo-terminal";
            return;
        }
        path_ = name.data();
        slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
        termios settings{};
        ::tcgetattr(slave_, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(slave_, TCSANOW, &settings);
    }
    ~FarEnd() {
        if (sender_.joinable()) {
            sender_.join();
        }
        HangUp();
    }

    const std::string& Path() const { return path_; }
    void Send(std::size_t count) {
        const std::vector<std::uint8_t> bytes(count, 0x5A);
        ASSERT_EQ(::write(master_, bytes.data(), count), static_cast<ssize_t>(count));
    }
    // One byte every `gap`, `count` times, from another thread.
    void Trickle(std::size_t count, std::chrono::milliseconds gap) {
        sender_ = std::thread([this, count, gap] {
            for (std::size_t i = 0; i < count; ++i) {
                std::this_thread::sleep_for(gap);
                const std::uint8_t byte = 0x11;
                [[maybe_unused]] const ssize_t n = ::write(master_, &byte, 1);
            }
        });
    }
    // Everything that reaches this end within `wait` of the last byte.
    std::size_t Drain(std::chrono::milliseconds wait = 500ms) {
        std::array<std::uint8_t, 4096> buffer{};
        std::size_t total = 0;
        pollfd fd{master_, POLLIN, 0};
        while (::poll(&fd, 1, static_cast<int>(wait.count())) > 0) {
            const ssize_t n = ::read(master_, buffer.data(), buffer.size());
            if (n <= 0) {
                break;
            }
            total += static_cast<std::size_t>(n);
        }
        return total;
    }
    void HangUp() {
        for (int* fd : {&slave_, &master_}) {
            if (*fd >= 0) {
                ::close(*fd);
                *fd = -1;
            }
        }
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::thread sender_;
};

struct TimedRead {
    std::size_t count = 0;
    std::chrono::milliseconds elapsed{};
    std::string error;
};

// Opens the line, lets `before` act on the far end, then reads `want` bytes.
template <typename Before>
TimedRead ReadAfter(FarEnd& far, const TimeoutProfile& profile, std::size_t want, Before before) {
    TimedRead result;
    RunOnSerialThread([&] {
        SerialPortQt port;
        ASSERT_TRUE(port.OpenPort(far.Path())) << port.ErrorText();
        port.ConfigurePort(profile);
        port.Purge();
        before();
        std::vector<std::uint8_t> buffer(want);
        const auto start = Clock::now();
        result.count = port.ReadBytes(buffer);
        result.elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        result.error = port.ErrorText();
    });
    return result;
}

TEST(SerialPortQt, ReadReturnsAsSoonAsAllBytesCame) {
    FarEnd far;
    const TimedRead r = ReadAfter(far, ClonePacing, 12, [&] { far.Send(12); });
    EXPECT_EQ(r.count, 12U);
    EXPECT_LT(r.elapsed, 300ms);
}

TEST(SerialPortQt, ReadEndsOnTheIntervalAfterAShortReply) {
    FarEnd far;
    const TimedRead r = ReadAfter(far, ClonePacing, 12, [&] { far.Send(3); });
    EXPECT_EQ(r.count, 3U);
    EXPECT_GE(r.elapsed, 29ms);
    EXPECT_LT(r.elapsed, 600ms) << "well before the 700 ms total";
}

TEST(SerialPortQt, SilentReadEndsOnTheTotal) {
    FarEnd far;
    const TimedRead r = ReadAfter(far, ClonePacing, 12, [] {});
    EXPECT_EQ(r.count, 0U);
    EXPECT_GE(r.elapsed, 700ms);
    EXPECT_LT(r.elapsed, 5000ms);
}

TEST(SerialPortQt, TotalEndsATrickleThatKeepsTheIntervalAlive) {
    FarEnd far;
    const TimeoutProfile profile{200, 0, 250, 50, 50};
    const TimedRead r = ReadAfter(far, profile, 20, [&] { far.Trickle(20, 40ms); });
    EXPECT_GT(r.count, 0U);
    EXPECT_LT(r.count, 20U);
    EXPECT_GE(r.elapsed, 250ms);
    EXPECT_LT(r.elapsed, 2000ms);
}

TEST(SerialPortQt, HungUpLineEndsTheReadAtOnce) {
    FarEnd far;
    const TimeoutProfile slow{30, 50, 3000, 50, 50};
    const TimedRead r = ReadAfter(far, slow, 12, [&] { far.HangUp(); });
    EXPECT_EQ(r.count, 0U);
    EXPECT_LT(r.elapsed, 1500ms) << "not the 3.6 s total";
    EXPECT_FALSE(r.error.empty());
}

TEST(SerialPortQt, PurgeAfterAWriteLosesNothing) {
    FarEnd far;
    RunOnSerialThread([&] {
        SerialPortQt port;
        ASSERT_TRUE(port.OpenPort(far.Path())) << port.ErrorText();
        port.ConfigurePort(ClonePacing);
        const std::vector<std::uint8_t> bytes(300, 0x42);
        EXPECT_EQ(port.WriteBytes(bytes), 300U);
        port.Purge();
        port.ClosePort();
    });
    EXPECT_EQ(far.Drain(), 300U);
}

}  // namespace
}  // namespace torvan::test
