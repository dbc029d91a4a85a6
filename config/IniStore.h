#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "config/IniText.h"
#include "model/Result.h"

namespace torvan {

// Short-lived accessor of Program.ini. Every read goes to the file and every
// write lands in it at once; nothing is cached. What a read finds and a write
// changes follows the text rules of IniText.h.
class IniStore {
public:
    static constexpr std::size_t kMaxValueLength = kMaxIniValueLength;

    // Program.ini at its usual place (beside the running executable, or the
    // user's configuration folder for an installed program: DefaultIniPath),
    // created with the default model profiles when missing.
    IniStore();
    // A given file, created empty when missing (tests, tools).
    explicit IniStore(std::filesystem::path path);
    virtual ~IniStore() = default;

    IniStore(const IniStore&) = default;
    IniStore& operator=(const IniStore&) = default;

    const std::filesystem::path& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key) const;
    // Every key of a section with one read of the file.
    IniSection ReadSection(const std::string& section) const;
    // The same, or why the file cannot be read: "cannot read PATH: REASON"
    // (a folder, no permission, an I/O error, or missing), with REASON alone
    // as the result's reason.
    ResultOf<IniSection> TryReadSection(const std::string& section) const;
    // A failure says why the file could not be written (or, when it exists
    // but cannot be read, that its other lines would be lost); it is left as
    // it was.
    Result WriteString(const std::string& section, const std::string& key,
                       const std::string& value);

private:
    void CreateIfMissing(std::string_view content) const;

    std::filesystem::path path_;
};

}  // namespace torvan
