// torvan-encoder: the channel editor's window.
#include <QApplication>
#include <QIcon>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/CProgramApp.h"
#include "app/DisplayGuard.h"
#include "app/Translations.h"
#include "config/IniLocation.h"
#include "config/IniStore.h"
#include "config/ProductName.h"
#include "config/ProgramFolders.h"
#include "link/serial/PortFactory.h"
#include "model/SystemText.h"

namespace {

const char* const kSynopsis =
    "Usage: torvan-encoder [--simulated-radio] [FILE.sin]\n"
    "       torvan-encoder --help | --version\n";

// After the synopsis, the manual page's text; it needs no display. The
// default profiles are named where this copy of the program was installed.
std::string Description() {
    const std::filesystem::path defaults = torvan::InstalledDefaultsFile();
    const std::string copy = defaults.empty() ? ""
                                              : "\n               (a copy of them is in " +
                                                    torvan::Utf8FromPath(defaults) + ")";
    return "\n"
           "The window for programming the radio: read its whole memory over a serial\n"
           "programming cable, edit the 128 channels, the radio-wide settings and the\n"
           "option groups (Edit > DTMF, Side Key, Power, Radio), save the result as a\n"
           "channel-data file and write it back.\n"
           "\n"
           "FILE.sin, when given, is opened at start (the desktop menu and a\n"
           "double-click on a .sin file pass it this way); the program ends when it\n"
           "cannot be opened. Without it the window starts with a new document.\n"
           "\n"
           "--simulated-radio tries the program without a radio: every port of this\n"
           "run leads to a simulated radio inside the program (the status bar says\n"
           "\"Simulated radio\"), whose memory is kept between runs in\n"
           "simulated-radio.sin beside the copies of reads; Program.ini is left as it\n"
           "was.\n"
           "\n"
           "Menus:\n"
           "  File      New, Open, Save, Save As, Print, Print Preview, Print Setup, Exit\n"
           "  Edit      DTMF, Side Key, Power, Radio\n"
           "  Program   Read (Ctrl+R), Write (Ctrl+W)\n"
           "  Port      COM1 to COM8: the serial port of the cable\n"
           "  View      Toolbar, Status Bar\n"
           "  Help      About\n"
           "\n"
#ifdef _WIN32
           "COM1 to COM8 are the computer's COM ports of those names; the Device\n"
           "Manager shows the cable's under Ports (COM & LPT).\n"
#else
           "COM1 to COM8 mean the USB programming cables /dev/ttyUSB0 to /dev/ttyUSB7;\n"
           "the [Ports] section of Program.ini can give a COM name another device, for\n"
           "example COM1=/dev/ttyACM0. Using a serial port needs membership of the\n"
           "dialout group.\n"
#endif
           "\n"
           "Files:\n"
           "  Program.ini  the chosen port (stored when the program ends) and the\n"
           "               model profiles of the Model and Frequency Range lists. It\n"
           "               is kept beside the executable when it exists there or that\n"
           "               folder is writable and not an installed program's;\n"
           "               otherwise in $XDG_CONFIG_HOME/torvan-encoder/ (usually\n"
           "               ~/.config/torvan-encoder/). A missing file is created\n"
           "               with the program's built-in default profiles" +
           copy +
           ".\n"
           "               `torvan-cli --version' prints the file in use.\n"
           "  ~/.config/Local AppWizard-Generated Applications/Torvan PC Encoder.conf\n"
           "               the toolkit's settings of the program: the last four\n"
           "               files opened or saved, kept where the program has always\n"
           "               kept them (no menu shows them).\n"
           "  $XDG_DATA_HOME/torvan-pc-encoder/ (usually ~/.local/share/torvan-pc-encoder/)\n"
           "               a copy of every successful Read, radio-read-DATE-TIME.sin;\n"
           "               never deleted by the program.\n";
}

// --help and --version answer on the terminal before any window exists;
// -1 when the window is to start.
int AnswerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kSynopsis << Description();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "torvan-encoder " TORVAN_VERSION "\n";
            return 0;
        }
    }
    return -1;
}

// The toolkit has taken its own options (-style, -platform...) out of the
// arguments by now; any other option is a mistake, not a file name.
bool RefuseUnknownOption(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            return false;
        }
        if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
            std::cerr << "torvan-encoder: unknown option '" << argument.toStdString() << "'\n"
                      << kSynopsis;
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int status = AnswerWithoutWindow(argc, argv); status >= 0) {
        return status;
    }
    if (const std::string missing = torvan::DisplayGuard::MissingDisplay(argc, argv);
        !missing.empty()) {
        torvan::DisplayGuard::Report(missing);
        return 1;
    }
#ifdef SIGXFSZ
    // A file-size limit then fails a save like a full disk, which cleans up,
    // instead of killing the program with the document unsaved (POSIX).
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    torvan::DisplayGuard guard(argc, argv);
    QApplication application(argc, argv);
    guard.Release();
    QStringList arguments = QApplication::arguments();
    const bool simulate = arguments.removeAll(QStringLiteral("--simulated-radio")) > 0;
    if (RefuseUnknownOption(arguments)) {
        return 2;
    }
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QString::fromUtf8(torvan::kProductName));
    QApplication::setApplicationVersion(QStringLiteral(TORVAN_VERSION));
    torvan::InstallTranslations(application, QLocale());

    // With --simulated-radio every port of this run is the simulated radio
    // inside the program. scripts/run.sh instead sets the variable to the
    // device of the simulated radio it started: every port then leads there.
    if (simulate) {
        torvan::SimulateRadio(torvan::SimulatedRadioFile());
    }
    const QByteArray simulated = qgetenv("TORVAN_SIMULATED_RADIO");
    torvan::CProgramApp program(
        torvan::AppEnvironment{torvan::IniStore().Path(), QString(), simulated.toStdString()});
    if (!program.InitInstance(arguments)) {
        return 1;
    }
    const int status = QApplication::exec();
    program.ExitInstance();
    return status;
}
