#include "link/TransferBusy.h"

#include <atomic>

namespace torvan {
namespace {

std::atomic<bool> busy{false};

}  // namespace

TransferBusy::Hold::~Hold() {
    if (acquired_) {
        busy.store(false);
    }
}

TransferBusy::Hold TransferBusy::TryAcquire() {
    return Hold(!busy.exchange(true));
}

bool TransferBusy::IsSet() {
    return busy.load();
}

}  // namespace torvan
