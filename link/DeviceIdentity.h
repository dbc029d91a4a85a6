#pragma once

#include <string>

namespace torvan {

// Which device a path leads to, after following links: a character device by
// its device number (two nodes of one device are one), anything else by its
// file; a path that leads nowhere by its own normal form. On Windows a
// device name by the device the system says it stands for, or by its own
// upper-case form. Two port names that resolve to equal identities would put
// two transfers on one line.
class DeviceIdentity {
public:
    static DeviceIdentity Of(const std::string& path);

    bool operator==(const DeviceIdentity& other) const = default;

private:
    enum class Kind { Device, File, Missing };
    Kind kind_ = Kind::Missing;
    unsigned long long first_ = 0;
    unsigned long long second_ = 0;
    std::string path_;
};

}  // namespace torvan
