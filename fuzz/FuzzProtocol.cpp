// The radio side of the protocol: the simulated radio behind the port
// interface, its replies chosen by the fuzz input. Every Read, Write and
// tuning step ends, within the time its time-outs allow, with success or one
// of the four messages; a Read that succeeds holds exactly what the link
// received, one that fails leaves the image as it was, and a Write sends the
// 448 blocks and the band signature and never changes the image.
//
// Input: one byte choosing the operation and the radio (port that will not
// open, password, band, 0x16 acknowledges, stray bytes after replies); one
// byte for the tuning point and value, or the block where a Read gets a wrong
// acknowledge and a Write a refusal (none for 0); then the choice of every
// reply (see FuzzedRadioPort).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "form/ImageCodec.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzedRadioPort.h"
#include "link/CloneTransfer.h"
#include "link/PowerTuning.h"
#include "model/PasswordCodec.h"
#include "tools/SimulatorSettings.h"

namespace {

using namespace torvan;
using fuzz::Exchange;
using fuzz::FuzzedRadioPort;

// Worst cases, in microseconds, of the link's steps: every pause, every byte
// on the line and every read running to its total time-out.
constexpr std::uint64_t Step(TimeoutProfile pacing, std::uint64_t sent, std::uint64_t replied) {
    return sent * FuzzedRadioPort::kByteMicros +
           (replied > 0 ? (pacing.readMultiplier * replied + pacing.readConstant) * 1000U : 0);
}
constexpr std::uint64_t Handshake(TimeoutProfile pacing, unsigned pauseMs) {
    return 7 * (pauseMs * 1000ULL + Step(pacing, 1, 0)) + Step(pacing, 0, 1);
}

constexpr TimeoutProfile kC = ClonePacing;
constexpr TimeoutProfile kT = TuningPacing;
constexpr std::uint64_t kIdentify = 1000 + Step(kC, 2, 8) + Step(kC, 1, 1);
constexpr std::uint64_t kProbe =
    4 * Handshake(kC, 2) + kIdentify + Step(kC, 4, 12) + Step(kC, 1, 1);
constexpr std::uint64_t kReadBound = kProbe + 512 * (Step(kC, 4, 12) + Step(kC, 1, 1));
constexpr std::uint64_t kWriteBound = kProbe + kIdentify + 448 * Step(kC, 12, 1) + Step(kC, 7, 1);
constexpr std::uint64_t kQueryBound = 3 * Handshake(kT, 1) + Step(kT, 2, 5) + Step(kT, 1, 1);
constexpr std::uint64_t kSendBound =
    3 * Handshake(kT, 5) + 2 * 10000 + Step(kT, 2, 1) + Step(kT, 5, 1);
constexpr std::uint64_t kEndBound = 3 * Handshake(kT, 2) + Step(kT, 2, 0);

// Finished comes after the port closed.
class Sink final : public TransferSink {
public:
    explicit Sink(const FuzzedRadioPort& port) : port_(port) {}
    void DisableButtons() override { ++disabled; }
    void ShowProgress(int position, int upper, const std::string& text) override {
        FUZZ_CHECK(finished == 0 && position == ++steps && position <= upper);
        FUZZ_CHECK(text == std::to_string(position * 100 / upper) + "%");
    }
    void ShowFailure(const Result& failure) override {
        FUZZ_CHECK(message.empty() && finished == 0);
        message = failure.error;
    }
    void Finished(bool ok) override {
        FUZZ_CHECK(!port_.IsOpen());
        ++finished;
        success = ok;
    }

    int disabled = 0, steps = 0, finished = 0;
    bool success = false;
    std::string message;

private:
    const FuzzedRadioPort& port_;
};

bool IsCloneMessage(const std::string& text) {
    return text == clone_message::kOpenPortFail || text == clone_message::kCommunicationError ||
           text == clone_message::kPasswordError || text == clone_message::kFrequencyMismatch;
}

constexpr std::uint8_t kBand[] = {0x13, 0x17, 0x64};

MemoryImage RadioMemory(bool password, bool sameBand) {
    static const MemoryImage pattern = sim::PatternMemory(7);
    MemoryImage memory = pattern;
    EncodePasswordBytes(password ? "123456" : "", memory);
    const std::uint8_t other[] = {0x40, 0x04, 0x70};
    std::copy_n(sameBand ? kBand : other, 3, memory.bytes().begin() + offset::kBandSignature);
    return memory;
}

// The reads that followed a command of `kind` ('R', 'W', 'M', ...), in order.
std::vector<const Exchange*> After(const FuzzedRadioPort& port, char kind) {
    std::vector<const Exchange*> found;
    found.reserve(port.Exchanges().size());
    for (const Exchange& exchange : port.Exchanges()) {
        if (!exchange.command.empty() && exchange.command[0] == kind) {
            found.push_back(&exchange);
        }
    }
    return found;
}

std::size_t AddressOf(const Exchange& exchange) {
    return static_cast<std::uint8_t>(exchange.command.at(1)) * 256U +
           static_cast<std::uint8_t>(exchange.command.at(2));
}

// Whether the 8 data bytes a read request received begin with `expected`.
bool Holds(const Exchange& read, std::span<const std::uint8_t> expected) {
    return std::equal(expected.begin(), expected.end(), read.received.begin() + 4);
}

void CheckClone(CloneDirection direction, FuzzedRadioPort& port, bool openFails,
                MemoryImage& image) {
    const MemoryImage before = image;
    Sink sink(port);
    CloneTransfer transfer(port, image, sink);
    const bool ok = transfer.Run(direction, PortDevice::Success("/dev/fuzzed")).ok;
    const bool read = direction == CloneDirection::Read;
    FUZZ_CHECK(sink.finished == 1 && sink.success == ok);
    FUZZ_CHECK(ok ? sink.message.empty() : IsCloneMessage(sink.message));
    FUZZ_CHECK(port.Micros() <= (read ? kReadBound : kWriteBound));
    // Nothing is sent either when the port did not open: it refuses writes then.
    FUZZ_CHECK(!openFails || (sink.message == clone_message::kOpenPortFail && sink.disabled == 0));
    FUZZ_CHECK((read && ok) || image == before);
    // The refusals follow from what the probe read and what the image held
    // before (a Read replaces the image's password with the radio's).
    const auto reads = After(port, 'R');
    if (sink.message == clone_message::kPasswordError || (ok && read)) {
        FUZZ_CHECK(!reads.empty());
        const bool none = reads.front()->received[4] == 0xFF;
        const bool same =
            Holds(*reads.front(), before.Span(offset::kPassword, offset::kPasswordLength));
        FUZZ_CHECK((sink.message == clone_message::kPasswordError) == (!none && !same));
    }
    if (sink.message == clone_message::kFrequencyMismatch || (ok && !read)) {
        FUZZ_CHECK(!reads.empty() && AddressOf(*reads.front()) == offset::kBandSignature);
        const bool same = Holds(*reads.front(),
                                before.Span(offset::kBandSignature, offset::kBandSignatureLength));
        FUZZ_CHECK((sink.message == clone_message::kFrequencyMismatch) == !same);
    }
    if (!ok) {
        return;
    }
    if (read) {
        // The password probe, then every block once in ascending order.
        FUZZ_CHECK(sink.steps == 512 && reads.size() == 513);
        for (std::size_t i = 1; i < reads.size(); ++i) {
            FUZZ_CHECK(AddressOf(*reads[i]) == (i - 1) * 8);
            FUZZ_CHECK(Holds(*reads[i], image.Span((i - 1) * 8, 8)));
        }
        return;
    }
    // 448 blocks of 8 from 0x000, then the band signature; nothing else.
    const auto writes = After(port, 'W');
    FUZZ_CHECK(sink.steps == 448 && writes.size() == 449);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const std::size_t address = i < 448 ? i * 8 : offset::kBandSignature;
        const auto data = image.Span(address, i < 448 ? 8 : 3);
        FUZZ_CHECK(AddressOf(*writes[i]) == address &&
                   writes[i]->command.substr(4) == std::string(data.begin(), data.end()));
    }
}

// Query, then a send when the query answered, then the end of tuning, each
// within its own bound.
void CheckTuning(FuzzedRadioPort& port, std::uint8_t pick) {
    const LevelPointInfo& info = kLevelPoints[pick % 6];
    const auto value = static_cast<std::uint8_t>(pick * 37);
    if (!port.OpenPort("/dev/fuzzed").ok) {
        return;
    }
    port.ConfigurePort(TuningPacing);
    SerialLink link(port);
    std::uint64_t start = port.Micros();
    const std::optional<std::uint8_t> level = QueryLevel(link, info.point);
    FUZZ_CHECK(port.Micros() - start <= kQueryBound);
    if (level) {
        // The fifth byte of the query's reply.
        const auto queries = After(port, 'M');
        FUZZ_CHECK(!queries.empty() && queries.back()->command[1] == info.queryCode);
        FUZZ_CHECK(*level == queries.back()->received[4]);
        start = port.Micros();
        if (SendLevel(link, info.point, value)) {
            const auto writes = After(port, 'W');
            FUZZ_CHECK(writes.size() == 1 && AddressOf(*writes[0]) == info.address);
            // One byte long, and the value.
            FUZZ_CHECK(writes[0]->command.substr(3) ==
                       std::string(1, '\x01') + static_cast<char>(value));
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
    fuzz::ByteStream input{{data, size}};
    const std::uint8_t setup = input.Next();
    const std::uint8_t pick = input.Next();
    const bool openFails = (setup & 0x04U) != 0;
    const bool tuning = (setup & 0x02U) != 0;
    sim::RadioFaults faults;
    faults.reply16 = (setup & 0x40U) != 0;
    faults.junk = (setup & 0x80U) != 0;
    if (!tuning && pick != 0) {
        faults.badAckAfterRead = faults.refusedWrite = pick * 16U;
    }
    static std::vector<Exchange> exchanges;
    MemoryImage radio = RadioMemory((setup & 0x08U) != 0, (setup & 0x20U) == 0);
    FuzzedRadioPort port(input, radio, std::move(faults), openFails, exchanges);
    if (tuning) {
        CheckTuning(port, pick);
        return 0;
    }
    MemoryImage image;
    image.ResetToNewDocument();
    EncodePasswordBytes((setup & 0x10U) != 0 ? "123456" : "654321", image);
    std::copy_n(kBand, 3, image.bytes().begin() + offset::kBandSignature);
    CheckClone((setup & 0x01U) != 0 ? CloneDirection::Write : CloneDirection::Read, port, openFails,
               image);
    return 0;
}
