#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>

#include "link/DeviceIdentity.h"
#include "model/SystemText.h"

namespace torvan {

// Device names ignore letter case and their \\.\ prefix; a name the system
// keeps as an alias of a device (QueryDosDevice) is that device. Wine's COM
// links are no such aliases: two links to one line are two names.
DeviceIdentity DeviceIdentity::Of(const std::string& path) {
    constexpr std::string_view kDevicePrefix = R"(\\.\)";
    std::string name = path.starts_with(kDevicePrefix) ? path.substr(kDevicePrefix.size()) : path;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    DeviceIdentity identity;
    std::array<wchar_t, 1024> target{};
    if (::QueryDosDeviceW(WideFromUtf8(name).c_str(), target.data(),
                          static_cast<DWORD>(target.size())) != 0) {
        identity.kind_ = Kind::Device;
        identity.path_ = Utf8FromWide(target.data());
    } else {
        identity.path_ = name;
    }
    return identity;
}

}  // namespace torvan
