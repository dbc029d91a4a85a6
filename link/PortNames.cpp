#include "link/PortNames.h"

#include <cctype>
#include <utility>

#include "model/Text.h"
#include "model/Utf8Text.h"

namespace torvan {
namespace {

constexpr int kDefaultPorts = 8;
constexpr int kWindowsPorts = 256;
constexpr std::string_view kDevicePrefix = R"(\\.\)";

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

// A name that is no COM name was most likely meant as a device path written
// without its leading "/" ("dev/ttyUSB0", "ttyUSB0").
std::string PathHint(const std::string& name) {
    if (StartsWithNoCase(name, "COM")) {
        return {};
    }
    const std::string path = name.starts_with("dev/") ? "/" + name : "/dev/" + name;
    return "; a device path starts with /, as in " + PrintableText(path);
}

// "COM5" (any letter case) as "COM5"; empty for anything else.
std::string WindowsComName(std::string_view name) {
    if (name.size() < 4 || name.size() > 6 || !StartsWithNoCase(name, "COM") || name[3] == '0' ||
        name.find_first_not_of("0123456789", 3) != std::string_view::npos) {
        return {};
    }
    const int number = std::stoi(std::string(name.substr(3)));
    return number <= kWindowsPorts ? "COM" + std::to_string(number) : std::string();
}

}  // namespace

#ifdef _WIN32
const char* const kPortNameForms = "a COM port such as COM3";
#else
const char* const kPortNameForms = "COM1 to COM8 or a device path";
#endif

PortDevice WindowsPortDevice(const std::string& portName) {
    if (portName.empty()) {
        return PortDevice::Failure("no port is selected");
    }
    const bool device =
        portName.starts_with(kDevicePrefix) && portName.size() > kDevicePrefix.size();
    const std::string_view name =
        device ? std::string_view(portName).substr(kDevicePrefix.size()) : portName;
    if (const std::string com = WindowsComName(name); !com.empty()) {
        return PortDevice::Success(std::string(kDevicePrefix) + com);
    }
    if (device) {
        return PortDevice::Success(portName);
    }
    return PortDevice::Failure("no serial port is named " + PrintableText(portName) +
                               "; a port is named COM and its number, as in COM3");
}

std::string DevicePathFor(const std::string& portName, const PortMapping& mapping) {
    if (portName.empty() || IsPath(portName)) {
        return portName;
    }
    const std::string mapped = mapping ? mapping(portName) : std::string();
    return mapped.empty() ? DefaultDevice(portName) : mapped;
}

PortResolver::PortResolver(PortMapping mapping) : mapping_(std::move(mapping)) {}

PortResolver PortResolver::Simulated(std::string device) {
    PortResolver resolver;
    resolver.simulated_ = std::move(device);
    return resolver;
}

PortDevice PortResolver::Resolve(const std::string& portName) const {
    if (!simulated_.empty()) {
        return PortDevice::Success(simulated_);
    }
#ifdef _WIN32
    return WindowsPortDevice(portName);
#else
    return LinuxPortDevice(portName);
#endif
}

PortDevice PortResolver::LinuxPortDevice(const std::string& portName) const {
    if (portName.empty()) {
        return PortDevice::Failure("no port is selected");
    }
    std::string device = DevicePathFor(portName, mapping_);
    if (device.empty()) {
        return PortDevice::Failure("no serial device is known for the port name " +
                                   PrintableText(portName) + PathHint(portName));
    }
    return PortDevice::Success(std::move(device));
}

}  // namespace torvan
