#pragma once

namespace torvan {

// Process-wide flag that is set while a clone transfer runs, so a second
// Start cannot launch a second worker on the same port and image.
class TransferBusy {
public:
    // Sets the flag; false (and nothing changes) when it was already set.
    static bool TryAcquire();
    static void Release();
    static bool IsSet();
};

}  // namespace torvan
