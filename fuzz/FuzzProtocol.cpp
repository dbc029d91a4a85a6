// The radio side of the protocol: a fuzzed radio behind the port interface.
// Every Read, Write and tuning step ends, within the time its time-outs
// allow, with success or one of the four messages; a Read that succeeds holds
// exactly what the radio sent, one that fails leaves the image as it was, and
// a Write never changes the image.
//
// Input: one byte choosing the operation and the radio (port that will not
// open, password, band), one byte for the tuning point and value, then the
// choice of every reply (see FuzzedRadioPort).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzedRadioPort.h"
#include "link/CloneTransfer.h"
#include "link/PowerTuning.h"
#include "model/ImageCodec.h"

namespace {

using namespace torvan;
using fuzz::FuzzedRadioPort;

// Worst cases, in microseconds, of the link's steps: every pause, every byte
// on the line and every read running to its total time-out.
struct Costs {
    TimeoutProfile profile;

    constexpr std::uint64_t Write(std::uint64_t bytes) const { return bytes * FuzzedRadioPort::kByteMicros; }
    constexpr std::uint64_t Read(std::uint64_t bytes) const {
        return (profile.readMultiplier * bytes + profile.readConstant) * 1000U;
    }
    constexpr std::uint64_t Handshake(unsigned pauseMs) const {
        return 7 * (pauseMs * 1000ULL + Write(1)) + Read(1);
    }
    constexpr std::uint64_t Exchange(std::uint64_t sent, std::uint64_t replied) const {
        return Write(sent) + (replied > 0 ? Read(replied) : 0);
    }
};

constexpr Costs kClone{ClonePacing};
constexpr Costs kTuning{TuningPacing};
constexpr std::uint64_t kAcknowledge = kClone.Exchange(1, 1);
constexpr std::uint64_t kIdentify = 1000 + kClone.Exchange(2, 8) + kAcknowledge;
constexpr std::uint64_t kReadBlock = kClone.Exchange(4, 12);
constexpr std::uint64_t kReadBound = 4 * kClone.Handshake(2) + kIdentify + kReadBlock +
                                     kAcknowledge + 512 * (kReadBlock + kAcknowledge);
constexpr std::uint64_t kWriteBound = 4 * kClone.Handshake(2) + 2 * kIdentify + kReadBlock +
                                      kAcknowledge + 448 * kClone.Exchange(12, 1) +
                                      kClone.Exchange(7, 1);
constexpr std::uint64_t kQueryBound =
    3 * kTuning.Handshake(1) + kTuning.Exchange(2, 5) + kTuning.Exchange(1, 1);
constexpr std::uint64_t kSendBound = 3 * kTuning.Handshake(5) + 2 * 10000 +
                                     kTuning.Exchange(2, 1) + kTuning.Exchange(5, 1);
constexpr std::uint64_t kEndBound = 3 * kTuning.Handshake(2) + kTuning.Exchange(2, 0);

class Sink final : public TransferSink {
public:
    void DisableButtons() override { ++disabled; }
    void ShowProgress(int position, int upper, const std::string& text) override {
        FUZZ_CHECK(finished == 0 && position == ++steps && position <= upper);
        FUZZ_CHECK(text == std::to_string(position * 100 / upper) + "%");
    }
    void ShowFailure(const std::string& text) override {
        FUZZ_CHECK(message.empty() && finished == 0);
        message = text;
    }
    void Finished(bool ok) override {
        ++finished;
        success = ok;
    }

    int disabled = 0;
    int steps = 0;
    int finished = 0;
    bool success = false;
    std::string message;
};

bool IsCloneMessage(const std::string& text) {
    return text == clone_message::kOpenPortFail || text == clone_message::kCommunicationError ||
           text == clone_message::kPasswordError || text == clone_message::kFrequencyMismatch;
}

MemoryImage RadioMemory(bool password, bool sameBand) {
    MemoryImage memory;
    for (std::size_t at = 0; at < MemoryImage::kSize; ++at) {
        memory[at] = static_cast<std::uint8_t>(at * 7 + 3);
    }
    EncodePasswordBytes(password ? "123456" : "", memory);
    const std::uint8_t band[] = {0x13, 0x17, 0x64};
    const std::uint8_t other[] = {0x40, 0x04, 0x70};
    for (std::size_t i = 0; i < 3; ++i) {
        memory[offset::kBandSignature + i] = sameBand ? band[i] : other[i];
    }
    return memory;
}

void CheckClone(CloneDirection direction, FuzzedRadioPort& port, bool openFails,
                MemoryImage& image) {
    const MemoryImage before = image;
    Sink sink;
    CloneTransfer transfer(port, image, sink);
    const bool ok = transfer.Run(direction, "COM1");
    FUZZ_CHECK(sink.finished == 1 && sink.success == ok && !port.IsOpen());
    FUZZ_CHECK(ok ? sink.message.empty() : IsCloneMessage(sink.message));
    FUZZ_CHECK(port.Micros() <= (direction == CloneDirection::Read ? kReadBound : kWriteBound));
    if (openFails) {
        FUZZ_CHECK(!ok && sink.message == clone_message::kOpenPortFail);
        FUZZ_CHECK(sink.disabled == 0 && port.Sent() == 0);
    }
    if (direction == CloneDirection::Write || !ok) {
        FUZZ_CHECK(image == before);
    }
    // The refusals follow from what the probe read and what the image held
    // before (a Read replaces the image's password with the radio's).
    const auto password = before.Span(offset::kPassword, offset::kPasswordLength);
    const auto band = before.Span(offset::kBandSignature, offset::kBandSignatureLength);
    const auto probed = [&](std::span<const std::uint8_t> expected) {
        const auto& probe = port.BlocksRead().front().second;
        return std::equal(expected.begin(), expected.end(), probe.begin());
    };
    if (sink.message == clone_message::kPasswordError || (ok && direction == CloneDirection::Read)) {
        FUZZ_CHECK(!port.BlocksRead().empty());
        const bool none = port.BlocksRead().front().second[0] == 0xFF;
        FUZZ_CHECK((sink.message == clone_message::kPasswordError) == (!none && !probed(password)));
    }
    if (sink.message == clone_message::kFrequencyMismatch || (ok && direction == CloneDirection::Write)) {
        FUZZ_CHECK(!port.BlocksRead().empty());
        FUZZ_CHECK((sink.message == clone_message::kFrequencyMismatch) == !probed(band));
    }
    if (!ok) {
        return;
    }
    if (direction == CloneDirection::Read) {
        // The password probe, then every block once in ascending order.
        const auto& blocks = port.BlocksRead();
        FUZZ_CHECK(sink.steps == 512 && blocks.size() == 513);
        for (std::size_t i = 1; i < blocks.size(); ++i) {
            const std::size_t address = (i - 1) * 8;
            FUZZ_CHECK(blocks[i].first == address);
            FUZZ_CHECK(std::equal(blocks[i].second.begin(), blocks[i].second.end(),
                                  image.bytes().begin() + static_cast<long>(address)));
        }
        return;
    }
    // 448 blocks of 8 from 0x000, then the band signature; nothing else.
    const auto& writes = port.Writes();
    FUZZ_CHECK(sink.steps == 448 && writes.size() == 449);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const std::size_t address = i < 448 ? i * 8 : offset::kBandSignature;
        const std::size_t length = i < 448 ? 8 : 3;
        FUZZ_CHECK(writes[i].first == address && writes[i].second.size() == length);
        FUZZ_CHECK(std::equal(writes[i].second.begin(), writes[i].second.end(),
                              image.bytes().begin() + static_cast<long>(address)));
    }
    FUZZ_CHECK(port.BlocksRead().front().first == offset::kBandSignature);
}

// Query, then a send when the query answered, then the end of tuning, each
// within its own bound.
void CheckTuning(FuzzedRadioPort& port, std::uint8_t pick) {
    const LevelPoint point = kLevelPoints[pick % 6].point;
    const auto value = static_cast<std::uint8_t>(pick * 37);
    if (!port.OpenPort("COM1")) {
        return;
    }
    port.ConfigurePort(TuningPacing);
    SerialLink link(port);
    std::uint64_t start = port.Micros();
    const std::optional<std::uint8_t> level = QueryLevel(link, point);
    FUZZ_CHECK(port.Micros() - start <= kQueryBound);
    if (level) {
        FUZZ_CHECK(!port.LevelsRead().empty() && *level == port.LevelsRead().back());
        start = port.Micros();
        const std::size_t writes = port.Writes().size();
        if (SendLevel(link, point, value)) {
            FUZZ_CHECK(port.Writes().size() == writes + 1);
            FUZZ_CHECK(port.Writes().back().first == InfoOf(point).address);
            FUZZ_CHECK(port.Writes().back().second == std::vector<std::uint8_t>{value});
        }
        FUZZ_CHECK(port.Micros() - start <= kSendBound);
    }
    start = port.Micros();
    EndTuning(link);
    FUZZ_CHECK(port.Micros() - start <= kEndBound);
    port.ClosePort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteStream input(data, size);
    const std::uint8_t setup = input.Next();
    const std::uint8_t pick = input.Next();
    const bool openFails = (setup & 0x04U) != 0;
    const bool password = (setup & 0x08U) != 0;
    const bool samePassword = (setup & 0x10U) != 0;
    const bool sameBand = (setup & 0x20U) == 0;
    FuzzedRadioPort port(input, RadioMemory(password, sameBand), openFails);
    MemoryImage image;
    image.ResetToNewDocument();
    EncodePasswordBytes(samePassword ? "123456" : "654321", image);
    const std::uint8_t band[] = {0x13, 0x17, 0x64};
    std::copy(std::begin(band), std::end(band), image.bytes().begin() + offset::kBandSignature);
    switch (setup & 0x03U) {
        case 0:
            CheckClone(CloneDirection::Read, port, openFails, image);
            break;
        case 1:
            CheckClone(CloneDirection::Write, port, openFails, image);
            break;
        default:
            CheckTuning(port, pick);
    }
    return 0;
}
