#include "cli/CheckedOutput.h"

#include <cerrno>

namespace torvan::cli {

void CheckedOutput::Failed() {
    if (error_ == 0) {
        error_ = errno != 0 ? errno : EIO;
    }
}

std::streamsize CheckedOutput::xsputn(const char* text, std::streamsize count) {
    if (error_ != 0) {
        return 0;
    }
    errno = 0;
    const auto written = std::fwrite(text, 1, static_cast<std::size_t>(count), file_);
    // On a terminal each line goes out at once, and a line that failed to
    // may still count as written: the stream's error flag tells.
    if (written < static_cast<std::size_t>(count) || std::ferror(file_) != 0) {
        Failed();
    }
    return static_cast<std::streamsize>(written);
}

CheckedOutput::int_type CheckedOutput::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof())) {
        return traits_type::not_eof(ch);
    }
    const char byte = traits_type::to_char_type(ch);
    return xsputn(&byte, 1) == 1 ? ch : traits_type::eof();
}

int CheckedOutput::sync() {
    errno = 0;
    if (error_ == 0 && (std::fflush(file_) != 0 || std::ferror(file_) != 0)) {
        Failed();
    }
    return error_ == 0 ? 0 : -1;
}

int CheckedOutput::Finish() {
    sync();
    return error_;
}

}  // namespace torvan::cli
