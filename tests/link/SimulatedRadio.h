#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/CloneTransfer.h"
#include "link/TransferSink.h"
#include "model/MemoryImage.h"
#include "tools/RadioSimulator.h"

namespace torvan::test {

// A simulated radio serving on its own thread for the length of a test.
class SimulatedRadio {
public:
    explicit SimulatedRadio(const MemoryImage& memory, sim::RadioFaults faults = {});
    ~SimulatedRadio();

    const std::string& Path() const { return simulator_.DevicePath(); }
    // Stops serving; afterwards Memory() and Counters() are final.
    void Finish();
    MemoryImage Memory() const { return simulator_.Memory(); }
    sim::RadioCounters Counters() const { return simulator_.Counters(); }
    // For commands the radio does not answer: waits (boundedly) until the
    // counters show they arrived.
    bool WaitFor(const std::function<bool(const sim::RadioCounters&)>& arrived) const;

private:
    sim::RadioSimulator simulator_;
    std::thread thread_;
};

// Everything a transfer told its dialog, in order.
class RecordingSink final : public TransferSink {
public:
    void DisableButtons() override { events.push_back("disable"); }
    void ShowProgress(int position, int upper, const std::string& percentText) override;
    void ShowFailure(const std::string& message) override;
    void Finished(bool success) override;

    std::vector<std::string> events;
    std::vector<std::string> percentTexts;
    int lastPosition = 0;
    int upper = 0;
    std::string failure;
    std::optional<bool> finished;
};

struct CloneResult {
    bool ok = false;
    RecordingSink sink;
    std::chrono::milliseconds elapsed{};
    std::string reason;
};

// Runs one clone transfer through the real QSerialPort binding.
CloneResult RunClone(CloneDirection direction, const std::string& port, MemoryImage& image);

}  // namespace torvan::test
