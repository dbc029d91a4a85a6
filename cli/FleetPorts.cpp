#include "cli/FleetPorts.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "config/PortsSection.h"
#include "link/DeviceIdentity.h"
#include "link/serial/PortFactory.h"
#ifdef _WIN32
#include "model/ReservedNames.h"
#endif
#include "model/Utf8Text.h"

namespace torvan::cli {

bool ResolveFleet(const std::string& command, const std::vector<std::string>& names,
                  std::vector<FleetPort>& fleet, std::ostream& err) {
    const PortResolver resolver = RunPortResolver(PortsSection());
    std::vector<DeviceIdentity> identities;
    for (const std::string& name : names) {
        FleetPort port{name, resolver.Resolve(name)};
        // A name that leads nowhere fails in its own transfer, like one alone.
        const DeviceIdentity identity = port.device.ok ? DeviceIdentity::Of(port.device.value)
                                                       : DeviceIdentity::Of("\n" + name);
        if (const auto same = std::find(identities.begin(), identities.end(), identity);
            same != identities.end()) {
            const FleetPort& first = fleet[static_cast<std::size_t>(same - identities.begin())];
            err << "torvan-cli " << command << ": " << PrintableText(first.name) << " and "
                << PrintableText(name) << " are the same device"
                << (port.device.ok ? " (" + PrintableText(port.device.value) + ")" : std::string())
                << "; name each radio once\n";
            return false;
        }
        identities.push_back(identity);
        fleet.push_back(std::move(port));
    }
    return true;
}

DeviceIdentity IdentityOf(const FleetPort& port) {
    return port.device.ok && !RadioSimulated() ? DeviceIdentity::Of(port.device.value)
                                               : DeviceIdentity::Of("\n" + port.name);
}

std::string StableName(const PortDevice& device, const std::filesystem::path& folder) {
#ifdef _WIN32
    (void)device;
    (void)folder;
    return {};
#else
    std::error_code ec;
    if (!device.ok || RadioSimulated() || !std::filesystem::exists(device.value, ec)) {
        return {};
    }
    const DeviceIdentity identity = DeviceIdentity::Of(device.value);
    for (std::filesystem::directory_iterator link(folder, ec), end; !ec && link != end;
         link.increment(ec)) {
        if (DeviceIdentity::Of(link->path().string()) == identity) {
            return link->path().string();
        }
    }
    return {};
#endif
}

std::string ReadFileName(const FleetPort& port) {
    constexpr std::string_view kWindowsDevice = R"(\\.\)";
    std::string stem =
        port.name.starts_with('/') ? std::filesystem::path(port.name).filename().string()
        : port.name.starts_with(kWindowsDevice) ? port.name.substr(kWindowsDevice.size())
                                                : port.name;
    std::replace(stem.begin(), stem.end(), '/', '_');
    std::replace(stem.begin(), stem.end(), '\\', '_');
#ifdef _WIN32
    // COM1.sin to COM9.sin would be the ports themselves, not files.
    if (IsReservedDeviceName(stem + ".sin")) {
        stem += "-radio";
    }
#endif
    return stem + ".sin";
}

}  // namespace torvan::cli
