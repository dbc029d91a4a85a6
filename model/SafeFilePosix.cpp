// The file layer on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan {
namespace {

constexpr int kMaxLinks = 40;  // as the kernel's own limit for a path

Result Refuse(const std::filesystem::path& path, const std::string& reason) {
    return SaveRefused(path, reason);
}

// The file a save really writes: the end of a chain of symbolic links.
std::filesystem::path FinalTarget(std::filesystem::path path) {
    std::error_code ec;
    for (int hops = 0; hops < kMaxLinks && std::filesystem::is_symlink(path, ec); ++hops) {
        const auto link = std::filesystem::read_symlink(path, ec);
        if (ec) {
            break;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// A new, exclusively created file beside `target`; -1 with errno set on failure.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temp = target;
        temp += ".saving-" + std::to_string(random() % 1000000U);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool WriteAll(int fd, std::span<const char> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

// The old file's permission bits (and, where allowed, its owner) carry over.
void KeepAttributes(int fd, const struct stat& old) {
    ::fchmod(fd, old.st_mode & 07777);
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only the owner's group or root may hand a file on; the bits still hold.
    }
}

// Makes the rename itself survive a power cut.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Saving renames a new file over `path`: anything but a regular file there
// (a device, a FIFO, a terminal) would be destroyed rather than written, and
// an open stream of this program would lose what it holds.
Result CheckExisting(const std::filesystem::path& path, const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        return Refuse(path, "it is a folder");
    }
    if (!S_ISREG(info.st_mode)) {
        return Refuse(path, "not a regular file");
    }
    // A file nobody may write was marked read-only on purpose; the rename
    // would replace it all the same (and root passes the access check
    // below), so it is refused here.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return Refuse(path, "it is read-only");
    }
    for (const auto& [fd, name] : {std::pair{STDOUT_FILENO, "standard output"},
                                   std::pair{STDERR_FILENO, "standard error"}}) {
        struct stat stream {};
        if (::fstat(fd, &stream) == 0 && stream.st_dev == info.st_dev &&
            stream.st_ino == info.st_ino) {
            return Refuse(path, std::string("it is this program's ") + name);
        }
    }
    if (::access(path.c_str(), W_OK) != 0) {
        return Refuse(path, ErrnoText(errno));
    }
    return Result::Success();
}

}  // namespace

Result CheckWritable(const std::filesystem::path& path) {
    // The kernel follows the links here, also those of /proc to open files.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (Result existing = CheckExisting(path, info); !existing.ok) {
            return existing;
        }
    } else if (errno != ENOENT) {
        return Refuse(path, ErrnoText(errno));  // a link loop, a file used as a folder
    }
    const std::filesystem::path folder = FolderOf(FinalTarget(path));
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        const int error = errno;
        return Refuse(path, error == ENOENT ? "the folder " + PrintableText(Utf8FromPath(folder)) +
                                                  " does not exist"
                                            : ErrnoText(error));
    }
    return Result::Success();
}

Result WriteFileAtomically(const std::filesystem::path& path, std::span<const char> bytes) {
    if (Result writable = CheckWritable(path); !writable.ok) {
        return writable;
    }
    const std::filesystem::path target = FinalTarget(path);
    std::filesystem::path temp;
    const int fd = CreateTemporary(target, temp);
    if (fd < 0) {
        return Refuse(path, ErrnoText(errno));
    }
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        KeepAttributes(fd, old);
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int error = errno;
    // close() reports what a network or full file system kept back until now.
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int failure = !written ? error : errno;
        ::unlink(temp.c_str());
        return Refuse(path, ErrnoText(failure));
    }
    SyncFolder(FolderOf(target));
    return Result::Success();
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

Result AppendToFile(const std::filesystem::path& path, std::string_view header,
                    std::string_view line) {
    // Looked at before it is opened: opening a serial device or a terminal
    // could already change its lines.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return WriteRefused(path, S_ISDIR(info.st_mode) ? "it is a folder" : "not a regular file");
    }
    const int fd =
        ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return WriteRefused(path, ErrnoText(errno));
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return WriteRefused(path, "not a regular file");
    }
    std::string bytes;
    char last = '\n';
    if (info.st_size == 0) {
        bytes = header;
    } else if (::pread(fd, &last, 1, info.st_size - 1) == 1 && last != '\n') {
        bytes.push_back('\n');
    }
    bytes += line;
    // O_APPEND puts each write at the end of the file as one step.
    const bool written = bytes.empty() || (WriteAll(fd, bytes) && ::fsync(fd) == 0);
    const int error = errno;
    // close() reports what a network or full file system kept back until now.
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        return WriteRefused(path, ErrnoText(!written ? error : errno));
    }
    return Result::Success();
}

NewFile WriteNewFile(const std::filesystem::path& path, std::span<const char> bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return NewFile{errno == EEXIST, ErrnoText(errno)};
    }
    const bool written = WriteAll(fd, bytes);
    const int error = errno;
    if (::close(fd) == 0 && written) {
        return NewFile{};
    }
    const int failure = written ? errno : error;
    ::unlink(path.c_str());
    return NewFile{false, ErrnoText(failure)};
}

}  // namespace torvan
