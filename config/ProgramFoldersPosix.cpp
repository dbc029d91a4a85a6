#include <cstdlib>
#include <system_error>

#include "config/ProgramFolders.h"

namespace torvan {
namespace {

// A relative base folder is invalid and ignored, as the base directory
// rules ask.
std::filesystem::path UserFolder(const char* xdgHome, const char* home, const char* fallback,
                                 const char* program) {
    if (xdgHome != nullptr && xdgHome[0] == '/') {
        return std::filesystem::path(xdgHome) / program;
    }
    if (home != nullptr && home[0] == '/') {
        return std::filesystem::path(home) / fallback / program;
    }
    return {};
}

}  // namespace

std::filesystem::path ExecutableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

bool InsideProgramFiles(const std::filesystem::path& /*folder*/) {
    return false;
}

std::filesystem::path DataFolder(const char* xdgDataHome, const char* home) {
    return UserFolder(xdgDataHome, home, ".local/share", "torvan-pc-encoder");
}

std::filesystem::path DataFolder() {
    return DataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::filesystem::path ConfigFolder(const char* xdgConfigHome, const char* home) {
    return UserFolder(xdgConfigHome, home, ".config", "torvan-encoder");
}

std::filesystem::path ConfigFolder() {
    return ConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

}  // namespace torvan
