#pragma once

#include <string>
#include <utility>

namespace torvan {

// Process-wide record of the clone transfers that run, so a second Start
// cannot launch a second worker on the same port and image. A transfer holds
// its device; several devices may be held at once (a fleet of radios), one
// device only once. A Hold releases what it holds when it goes out of scope,
// however the transfer ends (an exception included).
class TransferBusy {
public:
    class [[nodiscard]] Hold {
    public:
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        ~Hold();
        // False when the device (or everything) was held already.
        explicit operator bool() const { return acquired_; }

    private:
        friend class TransferBusy;
        Hold(bool acquired, bool whole, std::string device)
            : acquired_(acquired), whole_(whole), device_(std::move(device)) {}
        bool acquired_;
        bool whole_;
        std::string device_;
    };

    // Holds everything, unless anything is held already.
    static Hold TryAcquire();
    // Holds `device`, unless it or everything is held already. An empty
    // device (a port name that led nowhere) opens nothing and is refused only
    // while everything is held.
    static Hold TryAcquire(const std::string& device);
    // Whether anything is held.
    static bool IsSet();
};

}  // namespace torvan
