#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "link/CloneTransfer.h"
#include "link/qt/SerialPortQt.h"
#include "link/qt/SerialThread.h"
#include "tools/RadioSimulator.h"
#include "tools/SimulatorSettings.h"

namespace torvan::test {

using sim::PatternMemory;

// A simulated radio serving on its own thread for the length of a test.
class SimulatedRadio {
public:
    explicit SimulatedRadio(const MemoryImage& memory, sim::RadioFaults faults = {})
        : simulator_(memory, std::move(faults), false) {
        std::string error;
        if (!simulator_.Open(error)) {
            ADD_FAILURE() << "simulator: " << error;
            return;
        }
        thread_ = std::thread([this] { simulator_.Run(); });
    }
    ~SimulatedRadio() { Finish(); }

    const std::string& Path() const { return simulator_.DevicePath(); }
    // Stops serving; afterwards Memory() and Counters() are final.
    void Finish() {
        if (thread_.joinable()) {
            simulator_.Stop();
            thread_.join();
        }
    }
    MemoryImage Memory() const { return simulator_.Memory(); }
    sim::RadioCounters Counters() const { return simulator_.Counters(); }
    // For commands the radio does not answer: waits, 10 s at most, until the
    // counters show they arrived.
    bool WaitFor(const std::function<bool(const sim::RadioCounters&)>& arrived) const {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!arrived(simulator_.Counters())) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

private:
    sim::RadioSimulator simulator_;
    std::thread thread_;
};

// What a transfer told its dialog, in order; a run of progress steps is one
// "progress" event.
class RecordingSink final : public TransferSink {
public:
    void DisableButtons() override { events.push_back("disable"); }
    void ShowProgress(int position, int upperBound, const std::string& percentText) override {
        if (events.empty() || events.back() != "progress") {
            events.push_back("progress");
        }
        EXPECT_EQ(position, static_cast<int>(percentTexts.size()) + 1);
        upper = upperBound;
        percentTexts.push_back(percentText);
    }
    void ShowFailure(const std::string& message) override {
        events.push_back("failure");
        failure = message;
    }
    void Finished(bool success) override { events.push_back(success ? "ok" : "failed"); }

    std::vector<std::string> events;
    std::vector<std::string> percentTexts;
    int upper = 0;
    std::string failure;
};

struct CloneResult {
    bool ok = false;
    RecordingSink sink;
    std::string reason;
};

// Opens `path` with `profile` on a serial thread and hands the port to `use`.
inline void WithPort(const std::string& path, const TimeoutProfile& profile,
                     const std::function<void(SerialPort&)>& use) {
    RunOnSerialThread([&] {
        SerialPortQt port;
        ASSERT_TRUE(port.OpenPort(path)) << port.ErrorText();
        port.ConfigurePort(profile);
        use(port);
    });
}

// One clone transfer through the real QSerialPort binding.
inline CloneResult RunClone(CloneDirection direction, const std::string& port, MemoryImage& image) {
    CloneResult result;
    RunOnSerialThread([&] {
        SerialPortQt serial;
        CloneTransfer transfer(serial, image, result.sink);
        result.ok = transfer.Run(direction, port);
        result.reason = serial.ErrorText();
    });
    return result;
}

}  // namespace torvan::test
