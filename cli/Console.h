#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace torvan::cli {

// The size of a terminal in character cells.
struct TerminalSize {
    std::size_t rows = 24;
    std::size_t columns = 80;
};

// The program's arguments after its name, in UTF-8: on Windows from the
// wide command line (argv holds them in the ANSI code page, which loses
// most names), elsewhere argv as it is.
std::vector<std::string> ArgumentWords(int argc, char** argv);

// Whether standard output is a terminal (a console window on Windows; the
// NUL device is none).
bool StandardOutputIsTerminal();

// The terminal standard error shows, when progress can be redrawn in place
// on it: nullopt for a file or a pipe, and on Windows for a console that
// does not take escape sequences. A terminal that does not tell its size
// counts as 24 by 80.
std::optional<TerminalSize> RedrawingTerminal();

// Standard output carries the bytes as they are: a PDF, or a sheet whose
// lines already end in CRLF (Windows' text mode would add a CR to every LF).
void BinaryStandardOutput();

// The console as the program's session finds and leaves it. On Windows a
// console window shows the program's UTF-8 text whatever its code page:
// while the session lasts, std::cerr on a console writes wide characters to
// it, the console's output code page is UTF-8 (for any other writer), and
// the console gets its own code page back at the end. Elsewhere, and for
// files and pipes, the bytes go out as they are.
class ConsoleSession {
public:
    ConsoleSession();
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    // Standard output: a console's own stream when it is one, else
    // `redirected` (the checked stream over stdout).
    std::ostream& Output(std::ostream& redirected);

private:
    struct Streams;
    std::unique_ptr<Streams> streams_;
};

}  // namespace torvan::cli
