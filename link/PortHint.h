#pragma once

#include <string>

namespace torvan {

// What a Linux user can do about the system's reason for a port failure
// (SerialPort::ErrorText), as one sentence; empty when there is nothing to add.
std::string PortFailureHint(const std::string& reason);

}  // namespace torvan
