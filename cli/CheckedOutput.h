#pragma once

#include <cstdio>
#include <ostream>
#include <streambuf>

namespace torvan::cli {

// A C stream (standard output) as an std::ostream that remembers why the
// first write failed, so a full disk or a closed pipe does not pass for a
// complete output.
class CheckedOutput final : private std::streambuf {
public:
    explicit CheckedOutput(std::FILE* file) : file_(file), stream_(this) {}

    std::ostream& Stream() { return stream_; }
    // Writes out what is still buffered; 0 when every byte went out, else
    // the errno of the first failure.
    int Finish();

private:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;
    void Failed();

    std::FILE* file_;
    int error_ = 0;
    std::ostream stream_;
};

}  // namespace torvan::cli
