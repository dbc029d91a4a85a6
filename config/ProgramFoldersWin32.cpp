#include <windows.h>
// After windows.h, which it needs.
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "config/ProductName.h"
#include "config/ProgramFolders.h"
#include "model/SystemText.h"

namespace torvan {
namespace {

std::filesystem::path ShellFolder(const KNOWNFOLDERID& id) {
    std::filesystem::path folder;
    wchar_t* path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

// A folder of the user's profile as the shell knows it (redirected folders
// included), or from the environment when the shell does not say.
std::filesystem::path KnownFolder(const KNOWNFOLDERID& id, const wchar_t* variable) {
    std::filesystem::path folder = ShellFolder(id);
    if (folder.empty()) {
        const wchar_t* value = _wgetenv(variable);
        if (value != nullptr && std::filesystem::path(value).is_absolute()) {
            folder = value;
        }
    }
    return folder.empty() ? folder : folder / PathFromUtf8(kProductName);
}

}  // namespace

std::filesystem::path ExecutableFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            std::error_code ec;
            return std::filesystem::current_path(ec);
        }
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);  // a long name was cut short
    }
}

// Windows names are compared without regard to letter case.
bool InsideProgramFiles(const std::filesystem::path& folder) {
    const std::wstring inside = folder.lexically_normal().wstring() + L"\\";
    for (const KNOWNFOLDERID& id : {FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86}) {
        const std::wstring top = ShellFolder(id).lexically_normal().wstring() + L"\\";
        if (top.size() > 1 && inside.size() >= top.size() &&
            _wcsnicmp(inside.c_str(), top.c_str(), top.size()) == 0) {
            return true;
        }
    }
    return false;
}

std::filesystem::path DataFolder() {
    return KnownFolder(FOLDERID_LocalAppData, L"LOCALAPPDATA");
}

std::filesystem::path ConfigFolder() {
    return KnownFolder(FOLDERID_RoamingAppData, L"APPDATA");
}

}  // namespace torvan
