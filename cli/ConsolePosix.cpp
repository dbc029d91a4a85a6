// The terminal on POSIX systems.
#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/Console.h"

namespace torvan::cli {

std::vector<std::string> ArgumentWords(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

bool StandardOutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) != 0;
}

std::optional<TerminalSize> RedrawingTerminal() {
    if (::isatty(STDERR_FILENO) == 0) {
        return std::nullopt;
    }
    TerminalSize size;
    winsize window{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &window) == 0) {
        size.rows = window.ws_row != 0 ? window.ws_row : size.rows;
        size.columns = window.ws_col != 0 ? window.ws_col : size.columns;
    }
    return size;
}

void BinaryStandardOutput() {}

struct ConsoleSession::Streams {};

ConsoleSession::ConsoleSession() = default;
ConsoleSession::~ConsoleSession() = default;

std::ostream& ConsoleSession::Output(std::ostream& redirected) {
    return redirected;
}

}  // namespace torvan::cli
