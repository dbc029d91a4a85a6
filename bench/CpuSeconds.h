#pragma once

#include <ctime>

namespace torvan::bench {

// The CPU time this process has used so far, all its threads together.
inline double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace torvan::bench
