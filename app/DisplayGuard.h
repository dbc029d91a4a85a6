#pragma once

#include <string>

namespace torvan {

// The window system's start. Without a display the toolkit would abort with
// its own words (and a core dump); the program says instead that no display
// was found and what to use without one, and ends with status 1.
class DisplayGuard {
public:
    // Why no window can open, found before the toolkit starts: the X11
    // platform (the default) without DISPLAY. Empty when it may try.
    static std::string MissingDisplay(int argc, char** argv);
    // Prints the sentence for `reason` on standard error.
    static void Report(const std::string& reason);

    // From here until Release, a start-up failure of the toolkit ends the
    // program with that sentence; the toolkit's own messages of the start
    // are held back until it succeeds.
    DisplayGuard(int argc, char** argv);
    ~DisplayGuard() { Release(); }
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    // The toolkit has started: its held messages are printed.
    void Release();

private:
    bool released_ = false;
};

}  // namespace torvan
