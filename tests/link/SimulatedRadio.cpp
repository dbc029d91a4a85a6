#include "tests/link/SimulatedRadio.h"

#include <gtest/gtest.h>

#include "link/qt/SerialPortQt.h"
#include "link/qt/SerialThread.h"

namespace torvan::test {

SimulatedRadio::SimulatedRadio(const MemoryImage& memory, sim::RadioFaults faults)
    : simulator_(memory, std::move(faults), false) {
    std::string error;
    if (!simulator_.Open(error)) {
        ADD_FAILURE() << "simulator: " << error;
        return;
    }
    thread_ = std::thread([this] { simulator_.Run(); });
}

SimulatedRadio::~SimulatedRadio() {
    Finish();
}

void SimulatedRadio::Finish() {
    if (thread_.joinable()) {
        simulator_.Stop();
        thread_.join();
    }
}

bool SimulatedRadio::WaitFor(const std::function<bool(const sim::RadioCounters&)>& arrived) const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!arrived(simulator_.Counters())) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void RecordingSink::ShowProgress(int position, int upperBound, const std::string& percentText) {
    if (events.empty() || events.back() != "progress") {
        events.push_back("progress");
    }
    EXPECT_EQ(position, lastPosition + 1);
    lastPosition = position;
    upper = upperBound;
    percentTexts.push_back(percentText);
}

void RecordingSink::ShowFailure(const std::string& message) {
    events.push_back("failure");
    failure = message;
}

void RecordingSink::Finished(bool success) {
    events.push_back("finished");
    finished = success;
}

CloneResult RunClone(CloneDirection direction, const std::string& port, MemoryImage& image) {
    CloneResult result;
    const auto start = std::chrono::steady_clock::now();
    RunOnSerialThread([&] {
        SerialPortQt serial;
        CloneTransfer transfer(serial, image, result.sink);
        result.ok = transfer.Run(direction, port);
        result.reason = serial.ErrorText();
    });
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    return result;
}

}  // namespace torvan::test
