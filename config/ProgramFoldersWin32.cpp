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


// A folder of the user's profile as the shell knows it (redirected folders
// included), or from the environment when the shell does not say.
std::filesystem::path KnownFolder(const KNOWNFOLDERID& id, const wchar_t* variable) {
    std::filesystem::path folder;
    wchar_t* path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) {
        folder = path;
    }
    CoTaskMemFree(path);
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

std::filesystem::path DataFolder() {
    return KnownFolder(FOLDERID_LocalAppData, L"LOCALAPPDATA");
}

std::filesystem::path ConfigFolder() {
    return KnownFolder(FOLDERID_RoamingAppData, L"APPDATA");
}

}  // namespace torvan
