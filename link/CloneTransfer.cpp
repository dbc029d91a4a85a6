#include "link/CloneTransfer.h"

#include <algorithm>
#include <cstdio>

#include "link/TransferBusy.h"

namespace torvan {
namespace {

constexpr auto kWriteEnd = static_cast<std::uint16_t>(offset::kWriteEnd);
constexpr auto kPasswordAddress = static_cast<std::uint16_t>(offset::kPassword);
constexpr auto kBandAddress = static_cast<std::uint16_t>(offset::kBandSignature);

bool SameBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace

bool CloneTransfer::Run(CloneDirection direction, const std::string& portName) {
    if (!TransferBusy::TryAcquire()) {
        return false;
    }
    failedHandshakes_ = 0;
    position_ = 0;
    upper_ = direction == CloneDirection::Read ? kReadBlocks : kWriteBlocks;
    const Failure failure = Transfer(direction, portName);
    if (failure) {
        sink_.ShowFailure(*failure);
    }
    // Release the port before the dialog closes, so whatever the user does
    // next finds it free.
    port_.ClosePort();
    sink_.Finished(!failure);
    TransferBusy::Release();
    return !failure;
}

CloneTransfer::Failure CloneTransfer::Transfer(CloneDirection direction,
                                               const std::string& portName) {
    if (!port_.OpenPort(portName)) {
        return clone_message::kOpenPortFail;
    }
    sink_.DisableButtons();
    port_.ConfigurePort(ClonePacing);
    if (Failure failure = Connect()) {
        return failure;
    }
    return direction == CloneDirection::Read ? ReadRadio() : WriteRadio();
}

// Handshake (retried while the transfer's tolerance lasts), then Identify.
CloneTransfer::Failure CloneTransfer::Connect() {
    link_.ClearReceive();
    while (!link_.Handshake()) {
        if (failedHandshakes_ == kHandshakeFailuresTolerated) {
            return clone_message::kCommunicationError;
        }
        ++failedHandshakes_;
    }
    if (link_.Identify() != SerialLink::kAck) {
        return clone_message::kCommunicationError;
    }
    return std::nullopt;
}

CloneTransfer::Failure CloneTransfer::ReadRadio() {
    const SerialLink::Block password = link_.ReadBlock(kPasswordAddress);
    const auto probe = std::span<const std::uint8_t>(password).first(offset::kPasswordLength);
    if (probe[0] != 0xFF &&
        !SameBytes(probe, image_.Span(offset::kPassword, offset::kPasswordLength))) {
        return clone_message::kPasswordError;
    }
    if (link_.Acknowledge() != SerialLink::kAck) {
        return clone_message::kCommunicationError;
    }
    MemoryImage::Bytes staging{};
    for (std::size_t address = 0; address < MemoryImage::kSize; address += SerialLink::kBlockSize) {
        const SerialLink::Block block = link_.ReadBlock(static_cast<std::uint16_t>(address));
        std::copy(block.begin(), block.end(), staging.begin() + static_cast<long>(address));
        if (link_.Acknowledge() != SerialLink::kAck) {
            return clone_message::kCommunicationError;
        }
        AdvanceProgress();
    }
    image_.bytes() = staging;
    return std::nullopt;
}

CloneTransfer::Failure CloneTransfer::WriteRadio() {
    const auto band = image_.Span(offset::kBandSignature, offset::kBandSignatureLength);
    const SerialLink::Block probe = link_.ReadBlock(kBandAddress);
    if (!SameBytes(std::span<const std::uint8_t>(probe).first(band.size()), band)) {
        return clone_message::kFrequencyMismatch;
    }
    link_.Acknowledge();
    if (Failure failure = Connect()) {
        return failure;
    }
    for (std::uint16_t address = 0; address < kWriteEnd; address += SerialLink::kBlockSize) {
        if (link_.WriteBlock(address, image_.Span(address, SerialLink::kBlockSize)) !=
            SerialLink::kAck) {
            return clone_message::kCommunicationError;
        }
        AdvanceProgress();
    }
    link_.WriteBlock(kBandAddress, band);
    return std::nullopt;
}

void CloneTransfer::AdvanceProgress() {
    ++position_;
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", position_ * 100 / upper_);
    sink_.ShowProgress(position_, upper_, text);
}

}  // namespace torvan
