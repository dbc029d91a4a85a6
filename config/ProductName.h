#pragma once

namespace torvan {

// The program's name: the window's and every message box's title, the
// application name its settings are kept under, and the name of its
// folders on Windows.
inline constexpr const char* kProductName = "Torvan PC Encoder";

}  // namespace torvan
