#include "link/serial/PortList.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSerialPortInfo>
#include <cstdio>
#include <filesystem>

#include "link/PortNames.h"

namespace torvan {
namespace {

constexpr int kComPorts = 8;

std::string Canonical(const std::string& path) {
    std::error_code ec;
    const auto resolved = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
}

std::string ComNameOf(const std::string& device, const PortMapping& mapping) {
    const std::string wanted = Canonical(device);
    for (int n = 1; n <= kComPorts; ++n) {
        const std::string name = "COM" + std::to_string(n);
        const std::string path = DevicePathFor(name, mapping);
        if (!path.empty() && Canonical(path) == wanted) {
            return name;
        }
    }
    return {};
}

std::string UsbId(const QSerialPortInfo& info) {
    if (!info.hasVendorIdentifier() || !info.hasProductIdentifier()) {
        return {};
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", info.vendorIdentifier(),
                  info.productIdentifier());
    return text;
}

}  // namespace

void FindWhoMayOpen(PresentPort& port) {
    struct stat info {};
    if (::stat(port.device.c_str(), &info) != 0) {
        return;
    }
    constexpr mode_t kGroupReadWrite = S_IRGRP | S_IWGRP;
    if ((info.st_mode & kGroupReadWrite) == kGroupReadWrite) {
        const struct group* group = ::getgrgid(info.st_gid);
        port.group = group != nullptr ? group->gr_name : std::to_string(info.st_gid);
    } else {
        const struct passwd* user = ::getpwuid(info.st_uid);
        port.owner = user != nullptr ? user->pw_name : std::to_string(info.st_uid);
    }
}

std::vector<PresentPort> ListPresentPorts(const PortMapping& mapping) {
    std::vector<PresentPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PresentPort port;
        port.device = info.systemLocation().toStdString();
        port.usbId = UsbId(info);
        port.description = info.description().toStdString();
        port.manufacturer = info.manufacturer().toStdString();
        port.comName = ComNameOf(port.device, mapping);
        port.mayOpen = ::access(port.device.c_str(), R_OK | W_OK) == 0;
        if (!port.mayOpen) {
            FindWhoMayOpen(port);
        }
        ports.push_back(std::move(port));
    }
    return ports;
}

}  // namespace torvan
