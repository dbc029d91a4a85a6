#include "link/WriteCheck.h"

#include <cstdio>

namespace torvan {
namespace {

std::string Hex(std::size_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%03zX", address);
    return text;
}

}  // namespace

std::vector<std::size_t> UnwrittenAddresses(const MemoryImage& sent, const MemoryImage& readBack) {
    std::vector<std::size_t> differing;
    const auto compare = [&](std::size_t from, std::size_t end) {
        for (std::size_t address = from; address < end; ++address) {
            if (sent[address] != readBack[address]) {
                differing.push_back(address);
            }
        }
    };
    compare(0, offset::kWriteEnd);
    compare(offset::kBandSignature, offset::kBandSignature + offset::kBandSignatureLength);
    return differing;
}

std::string AddressRanges(const std::vector<std::size_t>& addresses) {
    std::string text;
    for (std::size_t i = 0; i < addresses.size();) {
        std::size_t last = i;
        while (last + 1 < addresses.size() && addresses[last + 1] == addresses[last] + 1) {
            ++last;
        }
        // Appended piece by piece: "literal" + string trips a false
        // -Wrestrict in GCC 12 at -O3 (the Windows build's).
        if (!text.empty()) {
            text += ", ";
        }
        text += Hex(addresses[i]);
        if (last > i) {
            text += '-';
            text += Hex(addresses[last]);
        }
        i = last + 1;
    }
    return text;
}

}  // namespace torvan
