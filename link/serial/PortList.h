#pragma once

#include <string>
#include <vector>

#include "link/PortNames.h"

namespace torvan {

// A serial port present on this machine.
struct PresentPort {
    std::string device;       // /dev/ttyUSB0; on Windows the driver's, \Device\Serial0
    std::string usbId;        // "0403:6001", empty when not a USB device
    std::string description;  // as the system names it
    std::string manufacturer;
    std::string comName;   // "COM1" to "COM8" when that name reaches it, else empty
    bool mayOpen = false;  // the current user may read and write it
    std::string group;     // when the user may not: the group whose members may
    std::string owner;     // when no group may either: the only user who may
    std::string note;      // said instead of the above, when set
};

// Fills in `port.group` or `port.owner` from its device's owner and mode: a
// group is named only when it may read and write the device (Linux).
void FindWhoMayOpen(PresentPort& port);

// The ports present, with the COM name each is reached by: on Linux the
// default /dev/ttyUSB0-7 or the user's `mapping`; on Windows the system's
// own COM names, which `mapping` plays no part in.
std::vector<PresentPort> ListPresentPorts(const PortMapping& mapping);

}  // namespace torvan
