#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "model/MemoryImage.h"
#include "model/Result.h"
#include "tools/ByteTrace.h"
#include "tools/RadioFaults.h"
#include "tools/RadioResponder.h"

namespace torvan::sim {

// A radio on a pseudo-terminal: the program under test opens DevicePath()
// as its serial port. With pacing, bytes take the time of a 9600-baud 8N1
// line in both directions: a command counts as received only once its bytes
// could have crossed the line, and each reply byte leaves 1.04 ms after the
// previous one.
class RadioSimulator {
public:
    RadioSimulator(const MemoryImage& memory, RadioFaults faults, bool pace);
    ~RadioSimulator();

    RadioSimulator(const RadioSimulator&) = delete;
    RadioSimulator& operator=(const RadioSimulator&) = delete;

    // Creates the pseudo-terminal.
    Result Open();
    const std::string& DevicePath() const { return path_; }
    // Logs every byte received and sent to `trace` (which outlives Run()).
    void SetTrace(ByteTrace* trace) { trace_ = trace; }

    // Serves until Stop() or until a pulled cable ends the line.
    void Run();
    // Ends Run() soon; safe from a signal handler and from another thread.
    void Stop();

    MemoryImage Memory() const;
    RadioCounters Counters() const;
    bool CablePulled() const;

private:
    using Clock = std::chrono::steady_clock;

    void Serve(std::span<const std::uint8_t> chunk, Clock::time_point at);
    void Send(const RadioAction& action, Clock::time_point earliest);
    void Transmit(std::span<const std::uint8_t> bytes);
    void HangUp();

    int master_ = -1;
    int slave_ = -1;
    int stopRead_ = -1;
    int stopWrite_ = -1;
    std::string path_;
    bool pace_;
    ByteTrace* trace_ = nullptr;

    mutable std::mutex mutex_;
    MemoryImage memory_;
    RadioResponder responder_;
    bool pulled_ = false;
    Clock::time_point rxLineFree_{};
    Clock::time_point txLineFree_{};
};

}  // namespace torvan::sim
