#include "link/TransferBusy.h"

#include <mutex>
#include <set>

namespace torvan {
namespace {

std::mutex guard;
bool wholeHeld = false;
std::set<std::string> devicesHeld;

}  // namespace

TransferBusy::Hold::~Hold() {
    if (!acquired_) {
        return;
    }
    const std::lock_guard lock(guard);
    if (whole_) {
        wholeHeld = false;
    } else {
        devicesHeld.erase(device_);
    }
}

TransferBusy::Hold TransferBusy::TryAcquire() {
    const std::lock_guard lock(guard);
    const bool free = !wholeHeld && devicesHeld.empty();
    wholeHeld = wholeHeld || free;
    return Hold(free, true, {});
}

TransferBusy::Hold TransferBusy::TryAcquire(const std::string& device) {
    const std::lock_guard lock(guard);
    const bool free = !wholeHeld && (device.empty() || devicesHeld.insert(device).second);
    return Hold(free, false, device);
}

bool TransferBusy::IsSet() {
    const std::lock_guard lock(guard);
    return wholeHeld || !devicesHeld.empty();
}

}  // namespace torvan
