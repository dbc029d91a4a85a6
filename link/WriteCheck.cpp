#include "link/WriteCheck.h"

#include <cstdio>

#include "model/Text.h"

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
    return RunsText(addresses, Hex);
}

}  // namespace torvan
