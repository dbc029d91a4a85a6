#pragma once

#include <cstdint>
#include <string>

#include "link/PortNames.h"
#include "link/SerialLink.h"
#include "link/SerialPort.h"
#include "link/TransferSink.h"
#include "model/MemoryImage.h"
#include "model/Result.h"

namespace torvan {

enum class CloneDirection { Read, Write };

// The four messages a clone transfer can end with.
namespace clone_message {
inline constexpr const char* kOpenPortFail = "Open the port fail";
inline constexpr const char* kCommunicationError = "Communication error";
inline constexpr const char* kPasswordError = "Password error";
inline constexpr const char* kFrequencyMismatch = "Frequency is not match.";
}  // namespace clone_message

// Opens the port a command resolved. A name that led to no device and a
// device that would not open both fail as "Open the port fail", with why as
// the reason.
Result OpenResolvedPort(SerialPort& port, const PortDevice& device);

// Reads the radio's whole memory into the image, or writes the image below
// offset::kWriteEnd and its band signature into the radio. Runs on the
// caller's thread (the worker) and reports through the sink. A failed Read
// leaves the image exactly as it was: blocks are staged and copied in only
// once all came.
class CloneTransfer {
public:
    static constexpr int kReadBlocks =
        static_cast<int>(MemoryImage::kSize / SerialLink::kBlockSize);
    static constexpr int kWriteBlocks =
        static_cast<int>(offset::kWriteEnd / SerialLink::kBlockSize);
    static constexpr int kHandshakeFailuresTolerated = 3;

    CloneTransfer(SerialPort& port, MemoryImage& image, TransferSink& sink)
        : port_(port), link_(port), image_(image), sink_(sink) {}

    // Succeeds after a complete transfer. Fails at once, without a word to
    // the sink, when another transfer runs on the same device.
    Result Run(CloneDirection direction, const PortDevice& device);

private:
    Result Transfer(CloneDirection direction, const PortDevice& device);
    Result Connect();
    Result ReadRadio();
    Result WriteRadio();
    void AdvanceProgress();

    SerialPort& port_;
    SerialLink link_;
    MemoryImage& image_;
    TransferSink& sink_;
    int failedHandshakes_ = 0;
    int position_ = 0;
    int upper_ = 0;
};

}  // namespace torvan
