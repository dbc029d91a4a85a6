#pragma once

// torvan-radio-sim as a child process for the benchmarks.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace torvan::bench {

// The simulator as a child process; its first output line is the device.
struct Simulator {
    pid_t pid = -1;
    std::string device;
};

inline bool StartSimulator(const std::string& program, Simulator& sim) {
    int out[2];
    if (pipe(out) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> args = {program, "--pace"};
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    const int spawned =
        posix_spawn(&sim.pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    pollfd fd{out[0], POLLIN, 0};
    char c = 0;
    while (poll(&fd, 1, 5000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') {
        sim.device.push_back(c);
    }
    close(out[0]);
    return !sim.device.empty();
}

inline void StopSimulator(Simulator& sim) {
    kill(sim.pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(sim.pid, nullptr, WNOHANG) == sim.pid) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(sim.pid, SIGKILL);
    waitpid(sim.pid, nullptr, 0);
}

}  // namespace torvan::bench
