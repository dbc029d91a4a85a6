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

Result OpenResolvedPort(SerialPort& port, const PortDevice& device) {
    if (!device.ok) {
        return Result::Failure(clone_message::kOpenPortFail, device.error);
    }
    if (const Result opened = port.OpenPort(device.value); !opened.ok) {
        return Result::Failure(clone_message::kOpenPortFail, opened.error);
    }
    return Result::Success();
}

Result CloneTransfer::Run(CloneDirection direction, const PortDevice& device) {
    const TransferBusy::Hold busy =
        TransferBusy::TryAcquire(device.ok ? device.value : std::string());
    if (!busy) {
        return Result::Failure("another transfer is running");
    }
    failedHandshakes_ = 0;
    position_ = 0;
    upper_ = direction == CloneDirection::Read ? kReadBlocks : kWriteBlocks;
    Result result = Transfer(direction, device);
    if (!result.ok && result.reason.empty()) {
        result.reason = port_.ErrorText();  // what went wrong on the line
    }
    if (!result.ok && !sink_.StopRequested()) {
        sink_.ShowFailure(result);
    }
    // Release the port before the dialog closes, so whatever the user does
    // next finds it free.
    port_.ClosePort();
    sink_.Finished(result.ok);
    return result;
}

Result CloneTransfer::Transfer(CloneDirection direction, const PortDevice& device) {
    // A stop asked for before the start (a fleet's radio, a read-back) opens
    // no port and says nothing to the radio.
    if (sink_.StopRequested()) {
        return Result::Failure("stopped");
    }
    if (Result opened = OpenResolvedPort(port_, device); !opened.ok) {
        return opened;
    }
    sink_.DisableButtons();
    port_.ConfigurePort(ClonePacing);
    if (Result connected = Connect(); !connected.ok) {
        return connected;
    }
    return direction == CloneDirection::Read ? ReadRadio() : WriteRadio();
}

// Handshake (retried while the transfer's tolerance lasts), then Identify.
Result CloneTransfer::Connect() {
    link_.ClearReceive();
    while (!link_.Handshake()) {
        if (failedHandshakes_ == kHandshakeFailuresTolerated) {
            return Result::Failure(clone_message::kCommunicationError);
        }
        ++failedHandshakes_;
    }
    if (link_.Identify() != SerialLink::kAck) {
        return Result::Failure(clone_message::kCommunicationError);
    }
    return Result::Success();
}

Result CloneTransfer::ReadRadio() {
    const SerialLink::Block password = link_.ReadBlock(kPasswordAddress);
    const auto probe = std::span<const std::uint8_t>(password).first(offset::kPasswordLength);
    if (probe[0] != kUnsetByte &&
        !SameBytes(probe, image_.Span(offset::kPassword, offset::kPasswordLength))) {
        return Result::Failure(clone_message::kPasswordError);
    }
    if (link_.Acknowledge() != SerialLink::kAck) {
        return Result::Failure(clone_message::kCommunicationError);
    }
    MemoryImage::Bytes staging{};
    for (std::size_t address = 0; address < MemoryImage::kSize; address += SerialLink::kBlockSize) {
        if (sink_.StopRequested()) {
            return Result::Failure("stopped");
        }
        const SerialLink::Block block = link_.ReadBlock(static_cast<std::uint16_t>(address));
        std::copy(block.begin(), block.end(), staging.begin() + static_cast<long>(address));
        if (link_.Acknowledge() != SerialLink::kAck) {
            return Result::Failure(clone_message::kCommunicationError);
        }
        AdvanceProgress();
    }
    image_.bytes() = staging;
    return Result::Success();
}

Result CloneTransfer::WriteRadio() {
    const auto band = image_.Span(offset::kBandSignature, offset::kBandSignatureLength);
    const SerialLink::Block probe = link_.ReadBlock(kBandAddress);
    if (!SameBytes(std::span<const std::uint8_t>(probe).first(band.size()), band)) {
        return Result::Failure(clone_message::kFrequencyMismatch);
    }
    link_.Acknowledge();
    if (Result connected = Connect(); !connected.ok) {
        return connected;
    }
    for (std::uint16_t address = 0; address < kWriteEnd; address += SerialLink::kBlockSize) {
        if (sink_.StopRequested()) {
            return Result::Failure("stopped");
        }
        if (link_.WriteBlock(address, image_.Span(address, SerialLink::kBlockSize)) !=
            SerialLink::kAck) {
            return Result::Failure(clone_message::kCommunicationError);
        }
        AdvanceProgress();
    }
    link_.WriteBlock(kBandAddress, band);
    return Result::Success();
}

void CloneTransfer::AdvanceProgress() {
    ++position_;
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", position_ * 100 / upper_);
    sink_.ShowProgress(position_, upper_, text);
}

}  // namespace torvan
