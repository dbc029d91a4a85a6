#include "tools/SimulatedRadioPort.h"

#include <algorithm>
#include <iostream>
#include <thread>

#include "config/DefaultProgramIni.h"
#include "config/IniText.h"
#include "config/ModelCatalogReader.h"
#include "form/ImageCodec.h"
#include "model/ChannelFile.h"

namespace torvan::sim {
MemoryImage NewRadioMemory() {
    return NewDocumentImage(ReadModelCatalog(ReadIniSection(DefaultProgramIni(), "Setup")));
}

SimulatedRadioPort::SimulatedRadioPort(std::filesystem::path memoryFile)
    : memoryFile_(std::move(memoryFile)) {}

SimulatedRadioPort::~SimulatedRadioPort() {
    ClosePort();
}

// Any name leads to the one radio. A memory file that cannot be loaded is
// left as it is, and the port does not open.
Result SimulatedRadioPort::OpenPort(const std::string&) {
    ClosePort();
    std::error_code error;
    if (memoryFile_.empty() || !std::filesystem::exists(memoryFile_, error)) {
        memory_ = NewRadioMemory();
    } else if (const FileResult loaded = LoadChannelFile(memoryFile_, memory_); !loaded.ok) {
        return Result::Failure(loaded.error);
    }
    loaded_ = memory_;
    responder_.emplace(memory_, RadioFaults{});
    return Result::Success();
}

std::size_t SimulatedRadioPort::WriteBytes(std::span<const std::uint8_t> bytes) {
    if (!responder_) {
        return 0;
    }
    responder_->Arrived(Clock::now());
    for (const std::uint8_t byte : bytes) {
        const RadioAction& action = responder_->Feed(byte);
        pending_.insert(pending_.end(), action.reply.begin(), action.reply.end());
        pending_.insert(pending_.end(), action.trailer.begin(), action.trailer.end());
    }
    return bytes.size();
}

std::size_t SimulatedRadioPort::ReadBytes(std::span<std::uint8_t> buffer) {
    const std::size_t count = std::min(buffer.size(), pending_.size());
    std::copy_n(pending_.begin(), count, buffer.begin());
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

// The transfer has its result by now: a memory that cannot be kept is said
// on standard error and does not change it.
void SimulatedRadioPort::ClosePort() {
    if (!responder_) {
        return;
    }
    responder_.reset();
    pending_.clear();
    if (memoryFile_.empty() || memory_ == loaded_) {
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(memoryFile_.parent_path(), error);
    if (const FileResult saved = SaveChannelFile(memoryFile_, memory_); !saved.ok) {
        std::cerr << "Simulated radio: " << saved.error << '\n';
    }
}

void SimulatedRadioPort::Pause(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace torvan::sim
