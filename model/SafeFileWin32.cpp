// The file layer on Windows: wide-character calls throughout, so that any
// name the user can type reaches the file system as it is.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "model/ReservedNames.h"
#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Closes the handle it holds.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // False when closing failed (what the disk kept back until now).
    bool Close() {
        const bool closed = !Valid() || CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// The system's error code of the first step that failed: later clean-up
// calls must not hide it.
struct FirstError {
    DWORD code = ERROR_SUCCESS;
    bool operator()(bool ok) {
        if (!ok && code == ERROR_SUCCESS) {
            code = GetLastError();
        }
        return ok;
    }
};

std::string Reason(DWORD error) {
    return WindowsErrorText(error);
}

// What `path` leads to (links followed), opened only to look at it; a
// folder opens too.
HANDLE OpenToLook(const std::filesystem::path& path) {
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Whether two open handles lead to one file: its ID on its volume. A handle
// a program inherited (a redirected standard stream) may not name its
// volume (serial 0); the ID then decides alone.
bool SameIdentity(HANDLE a, HANDLE b) {
    FILE_ID_INFO one{};
    FILE_ID_INFO two{};
    return GetFileInformationByHandleEx(a, FileIdInfo, &one, sizeof one) != 0 &&
           GetFileInformationByHandleEx(b, FileIdInfo, &two, sizeof two) != 0 &&
           std::memcmp(&one.FileId, &two.FileId, sizeof one.FileId) == 0 &&
           (one.VolumeSerialNumber == two.VolumeSerialNumber || one.VolumeSerialNumber == 0 ||
            two.VolumeSerialNumber == 0);
}

// The file a save really writes: the end of any chain of links, as the
// system resolves it.
std::filesystem::path FinalTarget(const std::filesystem::path& path) {
    const Handle file(OpenToLook(path));
    if (!file.Valid()) {
        return path;
    }
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.Get(), name.data(),
                                             static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
    if (length >= name.size()) {
        name.resize(length);
        length = GetFinalPathNameByHandleW(file.Get(), name.data(), static_cast<DWORD>(name.size()),
                                           FILE_NAME_NORMALIZED);
    }
    if (length == 0 || length >= name.size()) {
        return path;
    }
    name.resize(length);
    return name;
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// A new file beside `target` that nothing else has open; `temp` names it.
HANDLE CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp,
                       DWORD flags) {
    std::random_device random;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temp = target;
        temp += ".saving-" + std::to_string(random() % 1000000U);
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    return file;
}

bool WriteAll(HANDLE file, std::span<const char> bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 20));
        DWORD written = 0;
        if (WriteFile(file, bytes.data(), chunk, &written, nullptr) == 0) {
            return false;
        }
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

// Puts the written file `temp` in place of `target`. ReplaceFileW keeps the
// old file's attributes and access rights; a new name (or a file removed
// meanwhile) is a rename that reaches the disk before it returns. So is a
// replace that removed the old file but could not rename the new one into
// its place (ERROR_UNABLE_TO_MOVE_REPLACEMENT): the new file is all there is
// now, and must not be deleted as a failed save's would be.
bool Place(const std::filesystem::path& temp, const std::filesystem::path& target) {
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                         nullptr, nullptr) != 0) {
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
            return false;
        }
    }
    return MoveFileExW(temp.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Saving puts a new file in place of `path`: anything but a file on a disk
// there (a device, a pipe) would be lost rather than written, and an open
// stream of this program would lose what it holds.
Result CheckExisting(const std::filesystem::path& path, HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || GetFileInformationByHandle(file, &info) == 0) {
        return SaveRefused(path, "not a regular file");
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return SaveRefused(path, "it is a folder");
    }
    // The replace would drop the attribute the user set on purpose.
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return SaveRefused(path, "it is read-only");
    }
    for (const auto& [id, name] : {std::pair{STD_OUTPUT_HANDLE, "standard output"},
                                   std::pair{STD_ERROR_HANDLE, "standard error"}}) {
        const HANDLE stream = GetStdHandle(id);
        if (stream != nullptr && stream != INVALID_HANDLE_VALUE &&
            GetFileType(stream) == FILE_TYPE_DISK && SameIdentity(file, stream)) {
            return SaveRefused(path, std::string("it is this program's ") + name);
        }
    }
    // Held by a program that shares it with no writer, or an access right
    // missing: found now rather than after the work.
    const Handle writer(CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!writer.Valid()) {
        return SaveRefused(path, Reason(GetLastError()));
    }
    return Result::Success();
}

// Windows keeps no write bit on folders: whether a file may be made there is
// found by making one, which goes again when its handle closes.
Result CheckFolder(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return SaveRefused(
            path, error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                      ? "the folder " + PrintableText(Utf8FromPath(folder)) + " does not exist"
                      : Reason(error));
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return SaveRefused(path, Reason(ERROR_DIRECTORY));
    }
    std::filesystem::path probe;
    const Handle made(CreateTemporary(folder / L"probe", probe,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE));
    return made.Valid() ? Result::Success() : SaveRefused(path, Reason(GetLastError()));
}

}  // namespace

Result CheckWritable(const std::filesystem::path& path) {
    if (IsReservedDeviceName(Utf8FromPath(path.filename()))) {
        return SaveRefused(path, "it is a reserved device name on Windows");
    }
    const Handle file(OpenToLook(path));
    if (file.Valid()) {
        if (Result existing = CheckExisting(path, file.Get()); !existing.ok) {
            return existing;
        }
    } else if (const DWORD error = GetLastError();
               error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        return SaveRefused(path, Reason(error));
    }
    return CheckFolder(path, FolderOf(FinalTarget(path)));
}

Result WriteFileAtomically(const std::filesystem::path& path, std::span<const char> bytes) {
    if (Result writable = CheckWritable(path); !writable.ok) {
        return writable;
    }
    const std::filesystem::path target = FinalTarget(path);
    std::filesystem::path temp;
    Handle file(CreateTemporary(target, temp, FILE_ATTRIBUTE_NORMAL));
    if (!file.Valid()) {
        return SaveRefused(path, Reason(GetLastError()));
    }
    FirstError error;
    // FlushFileBuffers puts the bytes on the disk before the name moves.
    bool done = error(WriteAll(file.Get(), bytes)) && error(FlushFileBuffers(file.Get()) != 0);
    done = error(file.Close()) && done && error(Place(temp, target));
    if (done) {
        return Result::Success();
    }
    DeleteFileW(temp.c_str());
    return SaveRefused(path, Reason(error.code));
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    const Handle first(OpenToLook(a));
    const Handle second(OpenToLook(b));
    return first.Valid() && second.Valid() && SameIdentity(first.Get(), second.Get());
}

Result AppendToFile(const std::filesystem::path& path, std::string_view header,
                    std::string_view line) {
    if (IsReservedDeviceName(Utf8FromPath(path.filename()))) {
        return WriteRefused(path, "it is a reserved device name on Windows");
    }
    // Append-only access: every write lands at the end of the file as one
    // step, also when other programs append at the same time.
    const Handle file(CreateFileW(path.c_str(), FILE_READ_DATA | FILE_APPEND_DATA | SYNCHRONIZE,
                                  kShareAll, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return WriteRefused(path, attributes != INVALID_FILE_ATTRIBUTES &&
                                          (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                                      ? "it is a folder"
                                      : Reason(error));
    }
    LARGE_INTEGER size{};
    if (GetFileType(file.Get()) != FILE_TYPE_DISK || GetFileSizeEx(file.Get(), &size) == 0) {
        return WriteRefused(path, "not a regular file");
    }
    std::string bytes;
    if (size.QuadPart == 0) {
        bytes = header;
    } else {
        const auto at = static_cast<unsigned long long>(size.QuadPart - 1);
        OVERLAPPED lastByte{};
        lastByte.Offset = static_cast<DWORD>(at);
        lastByte.OffsetHigh = static_cast<DWORD>(at >> 32U);
        char last = '\n';
        DWORD read = 0;
        if (ReadFile(file.Get(), &last, 1, &read, &lastByte) != 0 && read == 1 && last != '\n') {
            bytes.push_back('\n');
        }
    }
    bytes += line;
    FirstError error;
    std::span<const char> rest(bytes);
    while (!rest.empty() && error.code == ERROR_SUCCESS) {
        OVERLAPPED atEnd{};  // both offsets all ones: at the end of the file
        atEnd.Offset = atEnd.OffsetHigh = 0xFFFFFFFF;
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1U << 20));
        const bool wrote = WriteFile(file.Get(), rest.data(), chunk, &written, &atEnd) != 0;
        if (wrote && written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
        }
        if (error(wrote && written != 0)) {
            rest = rest.subspan(written);
        }
    }
    if (!bytes.empty()) {
        error(FlushFileBuffers(file.Get()) != 0);
    }
    return error.code == ERROR_SUCCESS ? Result::Success() : WriteRefused(path, Reason(error.code));
}

NewFile WriteNewFile(const std::filesystem::path& path, std::span<const char> bytes) {
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        return NewFile{error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS, Reason(error)};
    }
    FirstError error;
    const bool written = error(WriteAll(file.Get(), bytes));
    if (error(file.Close()) && written) {
        return NewFile{};
    }
    DeleteFileW(path.c_str());
    return NewFile{false, Reason(error.code)};
}

}  // namespace torvan
