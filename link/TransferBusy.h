#pragma once

namespace torvan {

// Process-wide flag that is set while a clone transfer runs, so a second
// Start cannot launch a second worker on the same port and image. It is held
// by a Hold, which clears it when it goes out of scope, however the transfer
// ends (an exception included).
class TransferBusy {
public:
    class [[nodiscard]] Hold {
    public:
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        ~Hold();
        // False when another transfer already held the flag.
        explicit operator bool() const { return acquired_; }

    private:
        friend class TransferBusy;
        explicit Hold(bool acquired) : acquired_(acquired) {}
        bool acquired_;
    };

    // Sets the flag unless it was set already; the Hold says which.
    static Hold TryAcquire();
    static bool IsSet();
};

}  // namespace torvan
