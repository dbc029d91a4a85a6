#include "model/SafeFile.h"

#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan {

Result SaveRefused(const std::filesystem::path& path, const std::string& reason) {
    return Result::Failure("Cannot save " + PrintableText(Utf8FromPath(path)) + ": " + reason +
                           ".");
}

Result WriteRefused(const std::filesystem::path& path, const std::string& reason) {
    return Result::Failure("Cannot write " + PrintableText(Utf8FromPath(path)) + ": " + reason +
                               ".",
                           reason);
}

Result WriteFileAtomically(const std::string& utf8Name, std::span<const char> bytes) {
    return WriteFileAtomically(PathFromUtf8(utf8Name), bytes);
}

Result CheckWritable(const std::string& utf8Name) {
    return CheckWritable(PathFromUtf8(utf8Name));
}

}  // namespace torvan
