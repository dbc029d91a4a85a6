#include "link/TransferBusy.h"

#include <atomic>

namespace torvan {
namespace {

std::atomic<bool> busy{false};

}  // namespace

bool TransferBusy::TryAcquire() {
    return !busy.exchange(true);
}

void TransferBusy::Release() {
    busy.store(false);
}

bool TransferBusy::IsSet() {
    return busy.load();
}

}  // namespace torvan
