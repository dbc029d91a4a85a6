#include "app/DisplayGuard.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

namespace torvan {

namespace {

// A message of the toolkit's start, held back. Its texts outlive it: they
// are the toolkit's own literals.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

// The message handler is a plain function, so what it needs lives here; the
// toolkit starts on the main thread only.
struct StartState {
    QtMessageHandler previous = nullptr;
    std::string platform;
    std::vector<HeldMessage> held;
};

StartState& State() {
    static StartState state;
    return state;
}

std::string Environment(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

// The platform the toolkit will start: -platform, else QT_QPA_PLATFORM,
// else the default (X11 here).
std::string PlatformOf(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return argv[i + 1];
        }
    }
    return Environment("QT_QPA_PLATFORM");
}

bool IsX11(const std::string& platform) {
    return platform.empty() || platform == "xcb" || platform.rfind("xcb:", 0) == 0;
}

// Why the started platform failed, for the one sentence.
std::string FailureReason(const std::string& platform) {
    if (!IsX11(platform)) {
        return "the " + platform + " platform could not start";
    }
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        if (const std::string display = Environment(variable); !display.empty()) {
            return "cannot connect to display " + display;
        }
    }
    return "DISPLAY is not set";
}

void PrintHeld() {
    for (const HeldMessage& message : State().held) {
        const QMessageLogContext context(message.file, message.line, message.function,
                                         message.category);
        if (State().previous != nullptr) {
            State().previous(message.type, context, message.text);
        } else {
            std::cerr << qPrintable(qFormatLogMessage(message.type, context, message.text)) << '\n';
        }
    }
    State().held.clear();
}

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    StartState& state = State();
    if (type != QtFatalMsg) {
        state.held.push_back(
            {type, context.file, context.line, context.function, context.category, text});
        return;
    }
    // A platform named on purpose explains its own failure best.
    if (!IsX11(state.platform)) {
        PrintHeld();
    }
    DisplayGuard::Report(FailureReason(state.platform));
    // Ends here, as the toolkit would have, but without its abort.
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

std::string DisplayGuard::MissingDisplay(int argc, char** argv) {
    const std::string platform = PlatformOf(argc, argv);
    // The toolkit may choose Wayland by itself when only that display is there.
    const bool waylandMayServe = platform.empty() && !Environment("WAYLAND_DISPLAY").empty();
    if (IsX11(platform) && Environment("DISPLAY").empty() && !waylandMayServe) {
        return "DISPLAY is not set";
    }
    return {};
}

void DisplayGuard::Report(const std::string& reason) {
    std::cerr << "torvan-encoder: no display found (" << reason
              << "). Run it in a desktop session, or use torvan-cli for work without a window.\n";
}

DisplayGuard::DisplayGuard(int argc, char** argv) {
    State().platform = PlatformOf(argc, argv);
    State().previous = qInstallMessageHandler(HoldOrEnd);
}

void DisplayGuard::Release() {
    if (released_) {
        return;
    }
    released_ = true;
    qInstallMessageHandler(State().previous);
    PrintHeld();
}

}  // namespace torvan
