#pragma once

#include <string_view>

namespace torvan {

// Whether Windows takes the file name `name` (UTF-8, no folder) for one of
// its devices: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-COM9 and LPT0-LPT9
// (with ¹ ² ³ too), in any case, with any extension and with spaces before
// it ("nul .txt"). Writing such a name reaches the device, not a file.
bool IsReservedDeviceName(std::string_view name);

}  // namespace torvan
