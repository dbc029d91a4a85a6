#include "form/SideKeys.h"

#include <algorithm>
#include <cstdint>

namespace torvan {
namespace {

constexpr std::array<std::string_view, 9> kFunctions = {
    "Off",         "Monitor",           "Priority Scan", "High/Low Power",
    "Talk Around", "Reverse Frequency", "Vox On/Off",    "DTMF Call",
    "FM"};

constexpr std::array<std::string_view, 5> kOffered = {"Off", "Monitor", "Talk Around",
                                                      "Reverse Frequency", "FM"};

constexpr std::array<std::size_t, kSideKeyActions> kByte = {offset::kSideKey1, offset::kSideKey1,
                                                            offset::kSideKey2, offset::kSideKey2};

bool IsShortPress(std::size_t action) {
    return action % 2 == 0;
}

unsigned Nibble(std::uint8_t byte, bool high) {
    return high ? byte >> side_key::kShortPressShift : byte & unsigned{side_key::kLongPressMask};
}

}  // namespace

std::span<const std::string_view> OfferedSideKeyFunctions() {
    return kOffered;
}

std::string_view SideKeyFunctionName(unsigned code) {
    return code < kFunctions.size() ? kFunctions[code] : kFunctions[0];
}

unsigned SideKeyFunctionCode(std::string_view name) {
    const auto found = std::find(kFunctions.begin(), kFunctions.end(), name);
    return found == kFunctions.end() ? 0U : static_cast<unsigned>(found - kFunctions.begin());
}

int OfferedSideKeyPosition(unsigned code) {
    const auto found = std::find(kOffered.begin(), kOffered.end(), SideKeyFunctionName(code));
    return found == kOffered.end() ? -1 : static_cast<int>(found - kOffered.begin());
}

SideKeyCodes ReadSideKeyCodes(const MemoryImage& image) {
    SideKeyCodes codes{};
    for (std::size_t action = 0; action < kSideKeyActions; ++action) {
        codes[action] = Nibble(image[kByte[action]], IsShortPress(action));
    }
    return codes;
}

void StoreSideKeys(MemoryImage& image, const SideKeyNames& shown) {
    SideKeyCodes codes = ReadSideKeyCodes(image);
    for (std::size_t action = 0; action < kSideKeyActions; ++action) {
        if (!shown[action].empty()) {
            codes[action] = SideKeyFunctionCode(shown[action]);
        }
    }
    for (std::size_t action = 0; action < kSideKeyActions; action += 2) {
        image[kByte[action]] = static_cast<std::uint8_t>(
            codes[action] << side_key::kShortPressShift | codes[action + 1]);
    }
}

}  // namespace torvan
