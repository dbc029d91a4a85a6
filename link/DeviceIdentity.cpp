#include "link/DeviceIdentity.h"

#include <sys/stat.h>

#include <filesystem>

namespace torvan {

DeviceIdentity DeviceIdentity::Of(const std::string& path) {
    DeviceIdentity identity;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        identity.path_ = std::filesystem::path(path).lexically_normal().string();
    } else if (S_ISCHR(info.st_mode)) {
        identity.kind_ = Kind::Device;
        identity.first_ = info.st_rdev;
    } else {
        identity.kind_ = Kind::File;
        identity.first_ = info.st_dev;
        identity.second_ = info.st_ino;
    }
    return identity;
}

}  // namespace torvan
