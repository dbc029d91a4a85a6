#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace torvan {

// The keys of one section as read at one moment.
class IniSection {
public:
    void Add(std::string key, std::string value);
    // The first value of `key` (letter case ignored); empty when missing.
    std::string Value(const std::string& key) const;

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// Short-lived accessor of Program.ini. Every read goes to the file and every
// write lands in it at once; nothing is cached. Section and key names match
// without regard to letter case; other lines and comments survive a write.
class IniStore {
public:
    static constexpr std::size_t kMaxValueLength = 259;

    // Program.ini at its usual place (beside the running executable, or the
    // user's configuration folder for an installed program: ChooseIniPath),
    // created with the default model profiles when missing.
    IniStore();
    // A given file, created empty when missing (tests, tools).
    explicit IniStore(std::filesystem::path path);
    virtual ~IniStore() = default;

    IniStore(const IniStore&) = default;
    IniStore& operator=(const IniStore&) = default;

    const std::filesystem::path& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key) const;
    int ReadInt(const std::string& section, const std::string& key) const;
    // Every key of a section with one read of the file.
    IniSection ReadSection(const std::string& section) const;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInt(const std::string& section, const std::string& key, int value);

    static std::filesystem::path ExecutableDirectory();

private:
    void CreateIfMissing(std::string_view content) const;

    std::filesystem::path path_;
};

}  // namespace torvan
