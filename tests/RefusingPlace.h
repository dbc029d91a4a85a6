#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/TempDir.h"

namespace torvan::testing_support {

// How a save is refused.
enum class Refusal { FullDisk, ReadOnlyFolder, ReadOnlyFile };

// A folder holding one file that a save must not harm. As root the folder is
// a small tmpfs: filled up for a full disk, remounted read-only for a
// read-only folder. Otherwise a full disk is a file-size limit on this
// process (lifted again when the place goes) and a read-only folder has no
// write permission. A read-only file has no write permission bit.
class RefusingPlace {
public:
    RefusingPlace(Refusal refusal, const std::string& name, const std::string& previous)
        : folder_(base_ / "place"), file_(folder_ / name) {
        std::filesystem::create_directories(folder_);
        const bool root = ::geteuid() == 0;
        if (root && refusal != Refusal::ReadOnlyFile) {
            const char* size = refusal == Refusal::FullDisk ? "size=16k" : "size=64k";
            if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, size) != 0) {
                skip_ = "cannot mount a tmpfs here: " + std::string(std::strerror(errno));
                return;
            }
            mounted_ = true;
        }
        TempDir::WriteTo(file_, previous);
        switch (refusal) {
            case Refusal::FullDisk:
                if (mounted_) {
                    Fill();
                    reason_ = "No space left on device";
                } else {
                    LimitFileSize();
                    reason_ = "File too large";
                }
                break;
            case Refusal::ReadOnlyFolder:
                if (mounted_) {
                    ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
                    reason_ = "Read-only file system";
                } else {
                    ::chmod(folder_.c_str(), 0555);
                    reason_ = "Permission denied";
                }
                break;
            case Refusal::ReadOnlyFile:
                ::chmod(file_.c_str(), 0444);
                reason_ = "it is read-only";
                break;
        }
        before_ = Listing();
    }
    ~RefusingPlace() {
        if (limited_) {
            ::setrlimit(RLIMIT_FSIZE, &savedLimit_);
        }
        if (mounted_) {
            ::umount2(folder_.c_str(), MNT_DETACH);
        }
        ::chmod(folder_.c_str(), 0755);
    }
    RefusingPlace(const RefusingPlace&) = delete;
    RefusingPlace& operator=(const RefusingPlace&) = delete;

    // Why the place could not be set up; empty when it is ready.
    const std::string& SkipReason() const { return skip_; }
    const std::filesystem::path& File() const { return file_; }
    // What the error message must say, besides the file's name.
    const std::string& Reason() const { return reason_; }
    std::string Contents() const { return TempDir::Read(file_); }
    // The folder holds what it held before the save: no temporary file.
    bool Unchanged() const { return Listing() == before_; }

private:
    std::set<std::string> Listing() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
    void Fill() {
        const int fd = ::open((folder_ / "filler").c_str(), O_WRONLY | O_CREAT, 0644);
        const std::string block(512, 'x');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
    }
    void LimitFileSize() {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &savedLimit_);
        rlimit limit = savedLimit_;
        limit.rlim_cur = 1000;
        limited_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }

    TempDir base_;
    std::filesystem::path folder_;
    std::filesystem::path file_;
    std::string reason_;
    std::string skip_;
    bool mounted_ = false;
    bool limited_ = false;
    rlimit savedLimit_{};
    std::set<std::string> before_;
};

}  // namespace torvan::testing_support
