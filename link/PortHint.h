#pragma once

#include <string>

#include "model/Result.h"

namespace torvan {

// What the user can do about the system's reason for a port failure
// (SerialPort::ErrorText, on Linux or Windows), as one sentence; empty when
// there is nothing to add.
std::string PortFailureHint(const std::string& reason);

// What to do about a failed transfer from the command line, as one sentence:
// the port's own hint when its reason has one, else the message's. Empty for
// a failure that is none of the four messages.
std::string FailureHint(const Result& failure);

}  // namespace torvan
