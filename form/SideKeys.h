#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "model/MemoryImage.h"

namespace torvan {

// The functions of the two side keys, short and long press: a 4-bit code
// each, two to a byte (offset::kSideKey1 and offset::kSideKey2).
// Side key 1 short, side key 1 long, side key 2 short, side key 2 long.
constexpr std::size_t kSideKeyActions = 4;
using SideKeyCodes = std::array<unsigned, kSideKeyActions>;
using SideKeyNames = std::array<std::string, kSideKeyActions>;

// The names the dialog offers, in order; other functions can be stored by
// the radio or a file but not chosen here.
std::span<const std::string_view> OfferedSideKeyFunctions();

// Codes 0-8 name a function; any other code reads as "Off".
std::string_view SideKeyFunctionName(unsigned code);
// The code of a function name (exact text); 0 for a name found nowhere.
unsigned SideKeyFunctionCode(std::string_view name);
// The offered list's position of the function a code names; -1 when it is
// not offered.
int OfferedSideKeyPosition(unsigned code);

SideKeyCodes ReadSideKeyCodes(const MemoryImage& image);
// Stores the four names the dialog shows. A name left empty (the stored
// function is not offered and the user chose none) keeps the stored code.
void StoreSideKeys(MemoryImage& image, const SideKeyNames& shown);

}  // namespace torvan
