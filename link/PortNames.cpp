#include "link/PortNames.h"

#include <cctype>
#include <utility>

#include "config/IniStore.h"

namespace torvan {
namespace {

constexpr int kDefaultPorts = 8;

std::string& Routed() {
    static std::string device;
    return device;
}

bool IsPath(const std::string& name) {
    return !name.empty() && name.front() == '/';
}

std::string DefaultDevice(const std::string& name) {
    if (name.size() != 4) {
        return {};
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) {
            return {};
        }
    }
    const int number = name[3] - '0';
    if (number < 1 || number > kDefaultPorts) {
        return {};
    }
    return "/dev/ttyUSB" + std::to_string(number - 1);
}

}  // namespace

void RouteAllPortsTo(std::string device) {
    Routed() = std::move(device);
}

const std::string& RoutedDevice() {
    return Routed();
}

std::string DevicePathFor(const std::string& portName, const IniStore& ini) {
    if (!RoutedDevice().empty()) {
        return RoutedDevice();
    }
    if (portName.empty() || IsPath(portName)) {
        return portName;
    }
    const std::string mapped = ini.ReadString("Ports", portName);
    return mapped.empty() ? DefaultDevice(portName) : mapped;
}

std::string DevicePathFor(const std::string& portName) {
    if (!RoutedDevice().empty()) {
        return RoutedDevice();
    }
    if (portName.empty() || IsPath(portName)) {
        return portName;
    }
    return DevicePathFor(portName, IniStore());
}

}  // namespace torvan
