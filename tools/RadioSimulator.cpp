#include "tools/RadioSimulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <thread>

#include "model/SystemText.h"

namespace torvan::sim {
namespace {

// One byte of 8N1 at 9600 baud: 10 bits.
constexpr std::chrono::nanoseconds kByteTime{1'041'667};
// Poll wake-up, so a lost stop request cannot keep the loop forever.
constexpr int kPollMs = 500;

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

RadioSimulator::RadioSimulator(const MemoryImage& memory, RadioFaults faults, bool pace)
    : pace_(pace), memory_(memory), responder_(memory_, std::move(faults)) {}

RadioSimulator::~RadioSimulator() {
    CloseFd(master_);
    CloseFd(slave_);
    CloseFd(stopRead_);
    CloseFd(stopWrite_);
}

Result RadioSimulator::Open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    std::array<char, 128> name{};
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name.data(), name.size()) != 0) {
        return Result::Failure(std::string("pseudo-terminal: ") + ErrnoText(errno));
    }
    path_ = name.data();
    // Holding the slave open keeps the line up between clients, and raw mode
    // stops its line discipline from echoing replies back as commands.
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings{};
    if (slave_ < 0 || ::tcgetattr(slave_, &settings) != 0) {
        return Result::Failure(path_ + ": " + ErrnoText(errno));
    }
    ::cfmakeraw(&settings);
    ::tcsetattr(slave_, TCSANOW, &settings);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    std::array<int, 2> pipe{};
    if (::pipe2(pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return Result::Failure(std::string("pipe: ") + ErrnoText(errno));
    }
    stopRead_ = pipe[0];
    stopWrite_ = pipe[1];
    return Result::Success();
}

void RadioSimulator::Stop() {
    if (stopWrite_ >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(stopWrite_, &byte, 1);
    }
}

void RadioSimulator::Run() {
    // Paced bytes leave on time only without the scheduler's default 50 us
    // of timer slack on every sleep.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    std::array<std::uint8_t, 512> buffer{};
    while (master_ >= 0) {
        std::array<pollfd, 2> fds = {{{master_, POLLIN, 0}, {stopRead_, POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), kPollMs) < 0 && errno != EINTR) {
            return;
        }
        if (fds[1].revents != 0) {
            // Whatever already arrived is still served (and so saved).
            for (ssize_t n;
                 master_ >= 0 && (n = ::read(master_, buffer.data(), buffer.size())) > 0;) {
                Serve(std::span(buffer).first(static_cast<std::size_t>(n)), Clock::now());
            }
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            const ssize_t n = ::read(master_, buffer.data(), buffer.size());
            if (n > 0) {
                Serve(std::span(buffer).first(static_cast<std::size_t>(n)), Clock::now());
                continue;
            }
        }
        if ((fds[0].revents & (POLLHUP | POLLERR)) != 0) {
            // No client holds the line just now; try again a little later.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
}

void RadioSimulator::Serve(std::span<const std::uint8_t> chunk, Clock::time_point at) {
    std::lock_guard lock(mutex_);
    responder_.Arrived(at);
    for (const std::uint8_t byte : chunk) {
        Clock::time_point arrival = at;
        if (pace_) {
            arrival = std::max(at, rxLineFree_) + kByteTime;
            rxLineFree_ = arrival;
        }
        if (trace_ != nullptr) {
            trace_->Received(std::span(&byte, 1));
        }
        const RadioAction& action = responder_.Feed(byte);
        Send(action, arrival);
        if (action.hangUp) {
            HangUp();
            return;
        }
    }
}

void RadioSimulator::Send(const RadioAction& action, Clock::time_point earliest) {
    if (action.reply.empty()) {
        return;
    }
    if (!pace_) {
        std::vector<std::uint8_t> all = action.reply;
        all.insert(all.end(), action.trailer.begin(), action.trailer.end());
        Transmit(all);
        return;
    }
    Clock::time_point due = std::max(earliest, txLineFree_);
    for (std::size_t i = 0; i < action.reply.size(); ++i) {
        due += kByteTime;
        std::this_thread::sleep_until(due);
        if (i + 1 < action.reply.size()) {
            Transmit(std::span(action.reply).subspan(i, 1));
        } else {
            std::vector<std::uint8_t> last = {action.reply.back()};
            last.insert(last.end(), action.trailer.begin(), action.trailer.end());
            Transmit(last);
        }
    }
    txLineFree_ = due;
}

void RadioSimulator::Transmit(std::span<const std::uint8_t> bytes) {
    if (trace_ != nullptr) {
        trace_->Sent(bytes);
    }
    // Like a line, a full input queue on the far side simply drops bytes.
    [[maybe_unused]] const ssize_t n = ::write(master_, bytes.data(), bytes.size());
}

void RadioSimulator::HangUp() {
    pulled_ = true;
    CloseFd(slave_);
    CloseFd(master_);
}

MemoryImage RadioSimulator::Memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

RadioCounters RadioSimulator::Counters() const {
    std::lock_guard lock(mutex_);
    return responder_.Counters();
}

bool RadioSimulator::CablePulled() const {
    std::lock_guard lock(mutex_);
    return pulled_;
}

}  // namespace torvan::sim
