#pragma once

#include <filesystem>
#include <string>

namespace torvan {

// Short-lived accessor of Program.ini. Every read goes to the file and every
// write lands in it at once; nothing is cached. Section and key names match
// without regard to letter case; other lines and comments survive a write.
class IniStore {
public:
    static constexpr std::size_t kMaxValueLength = 259;

    // Program.ini beside the running executable, created empty when missing.
    IniStore();
    // A given file, created empty when missing (tests, tools).
    explicit IniStore(std::filesystem::path path);
    virtual ~IniStore() = default;

    IniStore(const IniStore&) = default;
    IniStore& operator=(const IniStore&) = default;

    const std::filesystem::path& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key) const;
    int ReadInt(const std::string& section, const std::string& key) const;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInt(const std::string& section, const std::string& key, int value);

    static std::filesystem::path ExecutableDirectory();

private:
    std::filesystem::path path_;
};

}  // namespace torvan
