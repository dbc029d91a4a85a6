#include "cli/FileArgs.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "model/ChannelFile.h"
#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

bool Reported(const FileResult& result, std::ostream& err) {
    if (!result.ok) {
        err << PrintableText(result.error) << '\n';
    }
    return result.ok;
}

}  // namespace

bool TakeFileName(const std::string& arg, const std::string& prefix,
                  std::vector<std::string>& files, std::ostream& err) {
    if (arg.size() > 1 && arg.front() == '-') {
        err << prefix << "unknown option '" << PrintableText(arg) << "' (see torvan-cli --help)\n";
        return false;
    }
    files.push_back(arg);
    return true;
}

bool ExpectOneFile(const char* command, const std::vector<std::string>& words, std::ostream& err) {
    if (words.size() == 1 && !words[0].empty() && words[0][0] != '-') {
        return true;
    }
    err << "torvan-cli " << command << ": expected one file name (see torvan-cli --help)\n";
    return false;
}

bool LoadOrReport(const std::string& path, MemoryImage& image, std::ostream& err) {
    return Reported(LoadChannelFile(path, image), err);
}

bool SaveOrReport(const std::string& path, const MemoryImage& image, std::ostream& err) {
    return Reported(SaveChannelFile(path, image), err);
}

std::optional<std::string> ReadTextOrReport(const std::string& path, std::ostream& err) {
    std::error_code ec;
    std::string reason;
    std::string text;
    if (std::filesystem::is_directory(PathFromUtf8(path), ec)) {
        reason = "it is a folder";
    } else {
        errno = 0;
        std::ifstream in(PathFromUtf8(path), std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.is_open() || in.bad()) {
            reason = ErrnoText(errno);
        } else if (text.empty()) {
            reason = "it is empty";
        }
    }
    if (!reason.empty()) {
        err << PrintableText("Cannot read " + path + ": " + reason + ".") << '\n';
        return std::nullopt;
    }
    return text;
}

bool OutputOrReport(const std::string& output, const std::vector<std::string>& inputs,
                    std::ostream& err) {
    if (!Reported(CheckWritable(output), err)) {
        return false;
    }
    for (const std::string& input : inputs) {
        if (SameFile(PathFromUtf8(output), PathFromUtf8(input))) {
            err << "Cannot save " << PrintableText(output) << ": it is also an input.\n";
            return false;
        }
    }
    return true;
}

std::optional<std::size_t> ParseChoice(const std::string& prefix,
                                       const std::vector<std::string>& args, std::size_t& i,
                                       const std::string_view (&words)[2], std::ostream& err) {
    const std::string& option = args[i];
    const std::string noun = option.substr(2);
    if (i + 1 >= args.size()) {
        err << prefix << option << " needs " << words[0] << " or " << words[1] << '\n';
        return std::nullopt;
    }
    const std::string& word = args[++i];
    for (std::size_t w = 0; w < 2; ++w) {
        if (word == words[w]) {
            return w;
        }
    }
    err << prefix << "unknown " << noun << " '" << PrintableText(word) << "' (" << option
        << " takes " << words[0] << " or " << words[1] << ")\n";
    return std::nullopt;
}

}  // namespace torvan::cli
