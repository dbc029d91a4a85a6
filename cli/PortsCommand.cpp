#include "cli/PortsCommand.h"

#include <ostream>

#include "config/PortsSection.h"
#include "link/serial/PortList.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

// One port's line. Device names and USB descriptions come from the system
// and the device itself: the caller shows the line through PrintableText.
std::string PortLine(const PresentPort& port) {
    std::string line = port.comName.empty() ? "-   " : port.comName;
    if (!port.device.empty()) {
        line += "  " + port.device;
    }
    if (!port.usbId.empty()) {
        line += "  USB " + port.usbId;
    }
    for (const std::string& word : {port.description, port.manufacturer}) {
        if (!word.empty()) {
            line += "  " + word;
        }
    }
    if (!port.note.empty()) {
        return line + "  (" + port.note + ")";
    }
    if (port.mayOpen) {
        return line + "  (may be opened)";
    }
    if (!port.group.empty()) {
        return line + "  (not permitted: join the group \"" + port.group + "\", then log in again)";
    }
    if (!port.owner.empty()) {
        return line + "  (not permitted: only " + port.owner + " may open it)";
    }
    return line + "  (not permitted)";
}

}  // namespace

int RunPorts(const Args& args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "torvan-cli ports: takes no arguments\n";
        return 2;
    }
    const std::vector<PresentPort> ports = ListPresentPorts(PortsSection());
    if (ports.empty()) {
        out << "No serial ports found.\n";
        return 0;
    }
    for (const PresentPort& port : ports) {
        out << PrintableText(PortLine(port)) << '\n';
    }
    return 0;
}

}  // namespace torvan::cli
