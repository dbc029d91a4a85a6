#include "link/TransferBusy.h"

#include <mutex>
#include <set>

namespace torvan {
namespace {

struct Held {
    std::mutex guard;
    bool whole = false;
    std::set<std::string> devices;
};

// Never destroyed: a transfer's thread may still release its hold while the
// program ends, and the record must outlive it.
Held& Record() {
    static Held* const held = new Held;
    return *held;
}

}  // namespace

TransferBusy::Hold::~Hold() {
    if (!acquired_) {
        return;
    }
    Held& held = Record();
    const std::lock_guard lock(held.guard);
    if (whole_) {
        held.whole = false;
    } else {
        held.devices.erase(device_);
    }
}

TransferBusy::Hold TransferBusy::TryAcquire() {
    Held& held = Record();
    const std::lock_guard lock(held.guard);
    const bool free = !held.whole && held.devices.empty();
    held.whole = held.whole || free;
    return Hold(free, true, {});
}

TransferBusy::Hold TransferBusy::TryAcquire(const std::string& device) {
    Held& held = Record();
    const std::lock_guard lock(held.guard);
    const bool free = !held.whole && (device.empty() || held.devices.insert(device).second);
    return Hold(free, false, device);
}

bool TransferBusy::IsSet() {
    Held& held = Record();
    const std::lock_guard lock(held.guard);
    return held.whole || !held.devices.empty();
}

}  // namespace torvan
