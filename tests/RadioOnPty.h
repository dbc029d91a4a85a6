#pragma once

#include <chrono>
#include <functional>
#include <iostream>
#include <set>
#include <string>
#include <thread>

#include "tools/RadioSimulator.h"
#include "tools/SimulatorSettings.h"

namespace torvan::testing_support {

// The project's simulated radio on a pseudo-terminal, serving on its own
// thread for the length of a test. An empty Path() means it could not start.
class RadioOnPty {
public:
    explicit RadioOnPty(const MemoryImage& memory, sim::RadioFaults faults = {}, bool pace = false)
        : simulator_(memory, std::move(faults), pace) {
        if (const Result opened = simulator_.Open(); opened.ok) {
            thread_ = std::thread([this] { simulator_.Run(); });
        } else {
            std::cerr << "simulator: " << opened.error << '\n';
        }
    }
    ~RadioOnPty() { Finish(); }

    const std::string& Path() const { return simulator_.DevicePath(); }
    // Stops serving; Memory() and Counters() are final afterwards.
    void Finish() {
        if (thread_.joinable()) {
            simulator_.Stop();
            thread_.join();
        }
    }
    MemoryImage Memory() const { return simulator_.Memory(); }
    sim::RadioCounters Counters() const { return simulator_.Counters(); }
    // For commands the radio does not answer: whether the counters show they
    // arrived (10 s at most, against a runaway).
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

// A radio with one fault.
template <typename T, typename V>
sim::RadioFaults With(T sim::RadioFaults::*fault, V value) {
    sim::RadioFaults faults;
    faults.*fault = value;
    return faults;
}

// A radio that leaves these handshakes (counted from 1) unanswered.
inline sim::RadioFaults Ignoring(std::set<unsigned> ordinals) {
    return With(&sim::RadioFaults::ignoredHandshakes, std::move(ordinals));
}

}  // namespace torvan::testing_support
