#include "cli/PortsCommand.h"

#include <ostream>

#include "config/IniStore.h"
#include "link/serial/PortList.h"

namespace torvan::cli {

int RunPorts(const Args& args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "torvan-cli ports: takes no arguments\n";
        return 2;
    }
    const std::vector<PresentPort> ports = ListPresentPorts(IniStore());
    if (ports.empty()) {
        out << "No serial ports found.\n";
        return 0;
    }
    for (const PresentPort& port : ports) {
        out << (port.comName.empty() ? "-   " : port.comName) << "  " << port.device;
        if (!port.usbId.empty()) {
            out << "  USB " << port.usbId;
        }
        for (const std::string& word : {port.description, port.manufacturer}) {
            if (!word.empty()) {
                out << "  " << word;
            }
        }
        if (port.mayOpen) {
            out << "  (may be opened)\n";
        } else if (!port.group.empty()) {
            out << "  (not permitted: join the group \"" << port.group
                << "\", then log in again)\n";
        } else if (!port.owner.empty()) {
            out << "  (not permitted: only " << port.owner << " may open it)\n";
        } else {
            out << "  (not permitted)\n";
        }
    }
    return 0;
}

}  // namespace torvan::cli
