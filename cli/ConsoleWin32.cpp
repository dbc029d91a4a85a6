// The console on Windows.
#include <windows.h>
// After windows.h, which they need.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <streambuf>
#include <string_view>

#include "cli/Console.h"
#include "model/SystemText.h"

namespace torvan::cli {
namespace {

// A console, not a file, a pipe or the NUL device (which isatty counts).
bool IsConsole(DWORD stream) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(stream), &mode) != 0;
}

// The program's UTF-8 text in a console window: turned into the console's
// own wide characters and written with WriteConsoleW, which shows every
// character whatever the code page (the C runtime's text mode would pass
// the bytes through the ANSI code page). A character split between two
// writes waits for its last byte.
class ConsoleBuffer final : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

private:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        const std::lock_guard lock(mutex_);  // the progress has a thread of its own
        pending_.append(text, static_cast<std::size_t>(count));
        const std::size_t whole = WholeCharacters(pending_);
        const std::wstring wide = WideFromUtf8(std::string_view(pending_).substr(0, whole));
        pending_.erase(0, whole);
        DWORD written = 0;
        const bool shown =
            wide.empty() || WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()),
                                          &written, nullptr) != 0;
        return shown ? count : 0;
    }
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) {
            return traits_type::not_eof(ch);
        }
        const char byte = traits_type::to_char_type(ch);
        return xsputn(&byte, 1) == 1 ? ch : traits_type::eof();
    }

    // How many bytes of `text` end with a whole character: an unfinished
    // UTF-8 sequence at its end is left out.
    static std::size_t WholeCharacters(const std::string& text) {
        for (std::size_t back = 1; back <= std::min<std::size_t>(3, text.size()); ++back) {
            const auto byte = static_cast<unsigned char>(text[text.size() - back]);
            if ((byte & 0xC0U) == 0x80U) {
                continue;  // a continuation byte: its lead is further back
            }
            const std::size_t length = byte >= 0xF0U   ? 4
                                       : byte >= 0xE0U ? 3
                                       : byte >= 0xC0U ? 2
                                                       : 1;
            return length > back ? text.size() - back : text.size();
        }
        return text.size();
    }

    HANDLE console_;
    std::mutex mutex_;
    std::string pending_;
};

}  // namespace

std::vector<std::string> ArgumentWords(int, char**) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> utf8;
    for (int i = 1; words != nullptr && i < count; ++i) {
        utf8.push_back(Utf8FromWide(words[i]));
    }
    LocalFree(words);
    return utf8;
}

bool StandardOutputIsTerminal() {
    return IsConsole(STD_OUTPUT_HANDLE);
}

std::optional<TerminalSize> RedrawingTerminal() {
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    // Redrawing moves the cursor with escape sequences; a console that
    // cannot be switched to take them gets plain lines.
    if (GetConsoleMode(err, &mode) == 0 ||
        ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) == 0 &&
         SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) == 0)) {
        return std::nullopt;
    }
    TerminalSize size;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(err, &info) != 0) {
        const auto columns = info.srWindow.Right - info.srWindow.Left + 1;
        const auto rows = info.srWindow.Bottom - info.srWindow.Top + 1;
        size.columns = columns > 0 ? static_cast<std::size_t>(columns) : size.columns;
        size.rows = rows > 0 ? static_cast<std::size_t>(rows) : size.rows;
    }
    return size;
}

void BinaryStandardOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

struct ConsoleSession::Streams {
    unsigned int previousCodePage = 0;
    // Standard error's console mode, which redrawn progress changes.
    DWORD errorMode = 0;
    bool errorModeKept = false;
    std::unique_ptr<std::streambuf> errorBuffer;
    std::streambuf* previousError = nullptr;
    std::unique_ptr<std::streambuf> outputBuffer;
    std::unique_ptr<std::ostream> output;
};

ConsoleSession::ConsoleSession() : streams_(std::make_unique<Streams>()) {
    if (IsConsole(STD_ERROR_HANDLE)) {
        streams_->errorModeKept =
            GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &streams_->errorMode) != 0;
        streams_->errorBuffer = std::make_unique<ConsoleBuffer>(GetStdHandle(STD_ERROR_HANDLE));
        streams_->previousError = std::cerr.rdbuf(streams_->errorBuffer.get());
    }
    if (IsConsole(STD_OUTPUT_HANDLE)) {
        streams_->outputBuffer = std::make_unique<ConsoleBuffer>(GetStdHandle(STD_OUTPUT_HANDLE));
        streams_->output = std::make_unique<std::ostream>(streams_->outputBuffer.get());
    }
    if (streams_->errorBuffer || streams_->outputBuffer) {
        streams_->previousCodePage = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
    }
}

ConsoleSession::~ConsoleSession() {
    if (streams_->previousError != nullptr) {
        std::cerr.rdbuf(streams_->previousError);
    }
    if (streams_->previousCodePage != 0) {
        std::fflush(stdout);
        std::fflush(stderr);
        SetConsoleOutputCP(streams_->previousCodePage);
    }
    if (streams_->errorModeKept) {
        SetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), streams_->errorMode);
    }
}

std::ostream& ConsoleSession::Output(std::ostream& redirected) {
    return streams_->output ? *streams_->output : redirected;
}

}  // namespace torvan::cli
