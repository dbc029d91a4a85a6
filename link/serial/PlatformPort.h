#pragma once

#include <memory>

#include "link/SerialPort.h"

namespace torvan {

// The platform's own serial port, defined by the binding this build uses
// (SerialPortQt.cpp or SerialPortWin32.cpp).
std::unique_ptr<SerialPort> MakePlatformPort();

}  // namespace torvan
