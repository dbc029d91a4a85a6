#include <windows.h>
// setupapi.h builds on windows.h.
#include <setupapi.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "link/serial/PortList.h"
#include "model/SystemText.h"

namespace torvan {
namespace {

// COM names tried by opening them when the system lists no port under them.
constexpr int kProbedPorts = 32;
// The device manager's class of serial and parallel ports (GUID_DEVCLASS_PORTS).
constexpr GUID kPortsClass = {
    0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

int ComNumber(const std::string& name) {
    return name.size() > 3 ? std::atoi(name.c_str() + 3) : 0;
}

// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM: each port a driver registered, its
// device name to its COM name.
std::vector<PresentPort> RegisteredPorts() {
    std::vector<PresentPort> ports;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                        &key) != ERROR_SUCCESS) {
        return ports;
    }
    for (DWORD index = 0;; ++index) {
        std::array<wchar_t, 256> device{};
        std::array<wchar_t, 64> com{};
        DWORD deviceLength = device.size();
        DWORD comBytes = sizeof com - sizeof(wchar_t);  // room for the end the value may lack
        DWORD type = 0;
        if (::RegEnumValueW(key, index, device.data(), &deviceLength, nullptr, &type,
                            reinterpret_cast<BYTE*>(com.data()), &comBytes) != ERROR_SUCCESS) {
            break;
        }
        if (type == REG_SZ) {
            PresentPort port;
            port.device = Utf8FromWide(device.data());
            port.comName = Utf8FromWide(com.data());
            port.mayOpen = true;  // Windows has no per-user right to a port
            ports.push_back(std::move(port));
        }
    }
    ::RegCloseKey(key);
    return ports;
}

std::string Property(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    std::array<wchar_t, 512> text{};
    if (::SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr,
                                            reinterpret_cast<BYTE*>(text.data()),
                                            sizeof text - sizeof(wchar_t), nullptr) == FALSE) {
        return {};
    }
    return Utf8FromWide(text.data());
}

std::string PortNameOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
    const HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::array<wchar_t, 64> name{};
    DWORD bytes = sizeof name - sizeof(wchar_t);
    const bool read =
        ::RegQueryValueExW(key, L"PortName", nullptr, nullptr, reinterpret_cast<BYTE*>(name.data()),
                           &bytes) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return read ? Utf8FromWide(name.data()) : std::string();
}

// "USB\VID_0403&PID_6001&REV_0600" (or FTDIBUS\VID_0403+PID_6001...) as
// "0403:6001".
std::string UsbId(const std::string& hardwareId) {
    const std::size_t vid = hardwareId.find("VID_");
    const std::size_t pid = hardwareId.find("PID_");
    if (vid == std::string::npos || pid == std::string::npos) {
        return {};
    }
    const std::string id = hardwareId.substr(vid + 4, 4) + ":" + hardwareId.substr(pid + 4, 4);
    std::string lower = id;
    std::transform(id.begin(), id.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.size() == 9 ? lower : std::string();
}

// What the Ports class of the device manager says about each port, by COM
// name: its friendly name, its maker and its USB ids.
void Describe(std::vector<PresentPort>& ports) {
    const HDEVINFO set = ::SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) {
        return;
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set, index, &device) != FALSE; ++index) {
        const std::string name = PortNameOf(set, device);
        const auto port = std::find_if(ports.begin(), ports.end(),
                                       [&](const PresentPort& p) { return p.comName == name; });
        if (name.empty() || port == ports.end()) {
            continue;
        }
        port->description = Property(set, device, SPDRP_FRIENDLYNAME);
        port->manufacturer = Property(set, device, SPDRP_MFG);
        port->usbId = UsbId(Property(set, device, SPDRP_HARDWAREID));
    }
    ::SetupDiDestroyDeviceInfoList(set);
}

// COM names nothing above listed can still lead to a port: Wine's, made by
// links in its dosdevices folder, are listed nowhere. They are found by
// opening them for no access at all, which sends no byte.
void AddUnlisted(std::vector<PresentPort>& ports) {
    for (int number = 1; number <= kProbedPorts; ++number) {
        const std::string name = "COM" + std::to_string(number);
        if (std::any_of(ports.begin(), ports.end(),
                        [&](const PresentPort& p) { return p.comName == name; })) {
            continue;
        }
        const HANDLE port =
            ::CreateFileW(WideFromUtf8(R"(\\.\)" + name).c_str(), 0,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        const DWORD error = port == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        if (port != INVALID_HANDLE_VALUE) {
            ::CloseHandle(port);
        }
        PresentPort found;
        found.comName = name;
        if (error == ERROR_SUCCESS) {
            found.note = "not registered with the system; found by opening it";
        } else if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) {
            found.note = "not registered with the system; in use by another program";
        } else {
            continue;
        }
        ports.push_back(std::move(found));
    }
}

}  // namespace

std::vector<PresentPort> ListPresentPorts(const PortMapping&) {
    std::vector<PresentPort> ports = RegisteredPorts();
    Describe(ports);
    AddUnlisted(ports);
    std::sort(ports.begin(), ports.end(), [](const PresentPort& a, const PresentPort& b) {
        return ComNumber(a.comName) < ComNumber(b.comName);
    });
    return ports;
}

}  // namespace torvan
