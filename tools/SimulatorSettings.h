#pragma once

#include <string>
#include <vector>

#include "model/MemoryImage.h"
#include "model/Result.h"
#include "tools/RadioFaults.h"

namespace torvan::sim {

// Everything torvan-radio-sim is told on its command line.
struct SimulatorSettings {
    MemoryImage memory;
    RadioFaults faults;
    bool pace = false;
    bool help = false;
    std::string savePath;   // memory written here on exit
    std::string linkPath;   // symbolic link to the device, removed on exit
    std::string tracePath;  // every byte received and sent logged here
};

extern const char* const kSimulatorUsage;

// The memory a simulated radio starts with when no file is given: a
// repeatable pattern (every byte depends on `seed` and its address), no
// password, the band signature of 136-174 MHz and six distinct tuning values.
MemoryImage PatternMemory(unsigned seed);

// Fails, saying why, when the arguments make no sense.
ResultOf<SimulatorSettings> ParseSimulatorArgs(const std::vector<std::string>& args);

}  // namespace torvan::sim
