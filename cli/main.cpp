// torvan-cli: channel-data files and radio transfers from the command line.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CheckedOutput.h"
#include "cli/CloneCommands.h"
#include "cli/Console.h"
#include "cli/DiffCommand.h"
#include "cli/DocumentCommands.h"
#include "cli/InterruptWatch.h"
#include "cli/LogCommand.h"
#include "cli/PortsCommand.h"
#include "cli/PrintCommand.h"
#include "cli/SheetCommands.h"
#include "config/IniStore.h"
#include "config/ProgramFolders.h"
#include "link/serial/PortFactory.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace {

using Command = std::function<int(const torvan::cli::Args&, std::ostream&, std::ostream&)>;

const char* const kUsage =
    "torvan-cli " TORVAN_VERSION
    "\n"
    "Usage: torvan-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  new OUT.sin     write a new document's channel data, as File New then\n"
    "                  File Save would (model lists from Program.ini)\n"
    "                  e.g. torvan-cli new blank.sin\n"
    "  show [--json] IN.sin\n"
    "                  print the settings, option groups and non-empty channels\n"
    "                  of a channel-data file (--json: as JSON, for scripts)\n"
    "                  e.g. torvan-cli show --json fleet.sin > fleet.json\n"
    "  export-csv [--format own|common] IN.sin OUT.csv|-\n"
    "                  write the channels as CSV (- prints them): this program's\n"
    "                  layout (CH and the grid's ten columns) or the common\n"
    "                  layout (Location, Name, Frequency, Duplex, Offset, Tone, ...)\n"
    "                  e.g. torvan-cli export-csv fleet.sin fleet.csv\n"
    "  import-csv [--format own|common] [--fix] IN.sin CHANNELS.csv OUT.sin\n"
    "                  replace IN.sin's channels with the sheet's and save as\n"
    "                  OUT.sin; every cell is checked as the grid takes it and\n"
    "                  nothing is written when a cell is refused; --fix takes\n"
    "                  the grid's corrections (step, upper case, 8 characters,\n"
    "                  characters outside the radio's alphabet dropped); a\n"
    "                  frequency outside the file's band, or a tone outside the\n"
    "                  radio's lists that IN.sin's channel does not hold, is\n"
    "                  always refused; the layout is found from the header\n"
    "                  unless --format says. In the common layout a Power in\n"
    "                  watts is Low below 3 W and High from 3 W; a sheet whose\n"
    "                  lowest Location is 0 fills channel 1 from it (otherwise\n"
    "                  Location N is channel N); Busy Lock and PTT ID stay as\n"
    "                  IN.sin's channel has them\n"
    "                  e.g. torvan-cli import-csv --fix fleet.sin repeaters.csv new.sin\n"
    "  print [--paper a4|letter] IN.sin OUT.pdf|-\n"
    "                  write the channel plan as a PDF, as File Print prints it:\n"
    "                  the settings, the option groups and every non-empty\n"
    "                  channel, on as many pages as it needs (A4 unless --paper\n"
    "                  says; - prints the PDF on standard output); needs no\n"
    "                  display\n"
    "                  e.g. torvan-cli print --paper letter fleet.sin fleet.pdf\n"
    "  diff A.sin B.sin\n"
    "                  list every setting, option group, channel cell and other\n"
    "                  byte that differs; exit 0 equal, 1 different, 2 error\n"
    "                  e.g. torvan-cli diff old.sin new.sin\n"
    "  ports           list the serial ports, their COM names and whether you\n"
    "                  may open them\n"
    "                  e.g. torvan-cli ports\n"
    "  read --port PORT [--password DIGITS] [--log LOG.csv] OUT.sin\n"
    "                  read the radio's whole memory into OUT.sin (written\n"
    "                  only after a complete transfer) and print its PTT ID;\n"
    "                  DIGITS is the password the settings panel would hold\n"
    "                  e.g. torvan-cli read --port COM1 --password 123456 radio.sin\n"
    "  read --port PORT --port PORT... [--password DIGITS] [--log LOG.csv] FOLDER\n"
    "                  read several radios at once, each into FOLDER/PORT.sin\n"
    "                  (COM1.sin; ttyUSB0.sin for /dev/ttyUSB0), each written\n"
    "                  only after that radio's complete transfer; the table\n"
    "                  at the end gives each radio's PTT ID\n"
    "                  e.g. torvan-cli read --port COM1 --port COM2 radios/\n"
    "  write --port PORT [--port PORT...] [--verify]\n"
    "        [--ptt-id FIRST | --ptt-ids IDS.csv] [--log LOG.csv] IN.sin\n"
    "                  write IN.sin's channels and settings into the radio\n"
    "                  (refused when the radio's band differs from the file's);\n"
    "                  --verify reads the radio back and reports every written\n"
    "                  address that differs (exit 1). With several --port all\n"
    "                  radios are written at once, each as if alone: a failing\n"
    "                  radio stops no other; a table of port, result, time,\n"
    "                  PTT ID and verify result ends it; exit 0 only when every\n"
    "                  radio succeeded.\n"
    "                  --ptt-id FIRST gives each radio its own PTT ID, in the\n"
    "                  order of the --port options: FIRST, FIRST+1, ... (its\n"
    "                  trailing digits count up and keep their width: 0099,\n"
    "                  0100; A01, A02; up to 8 of 0-9, A-D, * and #, a-d taken\n"
    "                  as A-D). --ptt-ids IDS.csv takes them from a sheet with\n"
    "                  the columns Port and PTT ID; every --port must have one\n"
    "                  line. Nothing else of IN.sin changes, and --verify\n"
    "                  compares each radio with its own image. A FIRST that\n"
    "                  cannot count that far, or a sheet that lacks a port,\n"
    "                  names a device twice or holds an ID that is none, is\n"
    "                  refused before any radio is touched\n"
    "                  e.g. torvan-cli write --port COM1 --verify fleet.sin\n"
    "                  e.g. torvan-cli write --port COM1 --port COM2 --port COM3 fleet.sin\n"
    "                  e.g. torvan-cli write --port COM1 --port COM2 --ptt-id 1001 fleet.sin\n"
    "  power --port PORT [--log LOG.csv] POINT [VALUE]\n"
    "                  print a power tuning point's value and set it to VALUE\n"
    "                  (0-255) when given; POINT is low-low, low-high,\n"
    "                  middle-low, middle-high, high-low or high-high (one\n"
    "                  radio only)\n"
    "                  e.g. torvan-cli power --port COM1 high-high 180\n"
    "  log [--port PORT]... [--since DATE] [--json] LOG.csv\n"
    "                  show the record that --log keeps, one row a radio:\n"
    "                  time, command, port, PTT ID, result, verify result,\n"
    "                  seconds, the start of the image's SHA-256, the file and\n"
    "                  the device's stable name; --port shows one port's rows\n"
    "                  (as given, or the stable name), --since those from DATE\n"
    "                  on (ISO 8601: 2026-12-07, 2026-12-07T14:00 or\n"
    "                  2026-12-07T14:00+01:00), --json every column as JSON. A\n"
    "                  line cut short (a job that stopped while writing it) is\n"
    "                  named on standard error and left out\n"
    "                  e.g. torvan-cli log --since 2026-12-01 fleet-log.csv\n"
    "  --help          show this text\n"
    "  --version       show the version and the Program.ini in use\n"
    "  --simulated-radio COMMAND ...\n"
    "                  try read, write and power without a radio: every port\n"
    "                  of this run is a simulated radio inside the program,\n"
    "                  whose memory is kept between runs in simulated-radio.sin\n"
    "                  beside the copies of reads (a new radio's at first)\n"
    "                  e.g. torvan-cli --simulated-radio read --port COM1 radio.sin\n"
    "\n"
#ifdef _WIN32
    "PORT is a COM port of this computer, COM1, COM2 and so on (torvan-cli ports\n"
    "lists them), or its device name, e.g. \\\\.\\COM3. One port named twice\n"
    "(COM3 and \\\\.\\COM3, say) is refused before any radio is touched.\n"
#else
    "PORT is COM1 to COM8 (/dev/ttyUSB0 to /dev/ttyUSB7, or as mapped in the\n"
    "[Ports] section of Program.ini, e.g. COM1=/dev/ttyACM0) or a device path.\n"
    "One device named twice (COM1 and /dev/ttyUSB0, say) is refused before any\n"
    "radio is touched.\n"
#endif
    "\n"
    "--log LOG.csv (read, write, power) appends one line a radio to the CSV file\n"
    "LOG.csv as soon as that radio ends (made with its header row when new, never\n"
    "rewritten): the date and time with the zone (2026-12-07T14:03:12+01:00), the\n"
    "command, the port, the device's stable name (/dev/serial/by-id/...), the\n"
    "file, the SHA-256 of the image written or read, the PTT ID, the result, the\n"
    "verify result and the seconds taken. A log that cannot be written is said\n"
    "before the first radio and again at the end, with the lines lost; the radios\n"
    "are programmed all the same and the exit status is theirs.\n"
    "\n"
    "An output (OUT.sin, OUT.csv, OUT.pdf) is replaced in one step; it must be a\n"
    "new name or a regular file, not a device, FIFO or folder, and not one of\n"
    "the command's inputs under any name: those are refused before any work.\n"
    "\n"
    "Errors are reported on standard error; nothing is written when a command\n"
    "fails. Exit status: 0 done, 1 failed (a standard output that cannot be\n"
    "written included), 2 wrong arguments; diff: 0 equal, 1 different, 2 error;\n"
    "141 when the reader of standard output stopped early (| head).\n"
    "Radio failures are reported as \"Open the port fail\", \"Communication\n"
    "error\", \"Password error\" or \"Frequency is not match.\", followed by the\n"
    "system's reason when known and what to do.\n"
    "\n"
    "read, write and power always finish a transfer they started, and their\n"
    "exit status is the transfer's result: a closed terminal (SIGHUP) or a\n"
    "reader of the output that stopped early only loses the output. Ctrl+C\n"
    "(SIGINT), SIGQUIT and SIGTERM stop read and write at the next block,\n"
    "restore the port and exit 130, 131 and 143; a radio whose transfer had\n"
    "already finished keeps its result.\n";

// The commands that talk to a radio: a terminal that goes away does not stop
// them, and their exit status is the transfer's.
const std::set<std::string> kRadioCommands = {"read", "write", "power"};

// As a shell reports a program that a closed pipe ended (128 + SIGPIPE), on
// Windows too, so that scripts read one status.
constexpr int kClosedPipeStatus = 141;

// One command's entries in the usage text (read has two), each from its
// "  NAME" line to the next entry.
std::string CommandUsage(const std::string& name) {
    std::istringstream text(kUsage);
    std::string usage;
    bool inside = false;
    for (std::string line; std::getline(text, line);) {
        const bool entry = line.size() > 2 && line.starts_with("  ") && line[2] != ' ';
        if (entry) {
            inside = (line + ' ').starts_with("  " + name + ' ');
        }
        if (inside && entry) {
            usage += (usage.empty() ? "Usage: torvan-cli " : "       torvan-cli ") + line.substr(2);
        } else if (inside) {
            usage += line;
        }
        usage += inside ? "\n" : "";
    }
    return usage + "See torvan-cli --help for the port names and the exit status.\n";
}

bool AsksForHelp(const std::string& word) {
    return word == "--help" || word == "-h";
}

int Dispatch(const std::vector<std::string>& words, std::ostream& out) {
    if (words.empty()) {
        std::cerr << "torvan-cli: no command given (see torvan-cli --help)\n";
        return 2;
    }
    if (AsksForHelp(words[0]) || words[0] == "help") {
        out << kUsage;
        return 0;
    }
    if (words[0] == "--version") {
        // Program.ini's place depends on how the program was installed.
        out << "torvan-cli " TORVAN_VERSION "\nProgram.ini: "
            << torvan::Utf8FromPath(torvan::IniStore().Path()) << '\n';
        return 0;
    }
    const std::map<std::string, Command> commands = {
        {"new", torvan::cli::RunNew},
        {"show", torvan::cli::RunShow},
        {"read", torvan::cli::RunRead},
        {"write", torvan::cli::RunWrite},
        {"power", torvan::cli::RunPower},
        {"export-csv", torvan::cli::RunExportCsv},
        {"import-csv", torvan::cli::RunImportCsv},
        {"diff", torvan::cli::RunDiff},
        {"ports", torvan::cli::RunPorts},
        {"print", torvan::cli::RunPrint},
        {"log", torvan::cli::RunLog},
    };
    const auto found = commands.find(words[0]);
    if (found == commands.end()) {
        std::cerr << "torvan-cli: unknown command '" << torvan::PrintableText(words[0])
                  << "' (see torvan-cli --help)\n";
        return 2;
    }
    if (std::any_of(words.begin() + 1, words.end(), AsksForHelp)) {
        out << CommandUsage(words[0]);
        return 0;
    }
    return found->second({words.begin() + 1, words.end()}, out, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
    // A file-size limit then fails the save like a full disk, which cleans
    // up, instead of killing the program half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    // A closed pipe is an output error like any other, and never ends a
    // radio transfer half-way.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    torvan::cli::ConsoleSession console;
    std::vector<std::string> words = torvan::cli::ArgumentWords(argc, argv);
    // Before the command: every port of this run is the simulated radio.
    if (!words.empty() && words[0] == "--simulated-radio") {
        words.erase(words.begin());
        torvan::SimulateRadio(torvan::SimulatedRadioFile());
    }
    const bool radio = !words.empty() && kRadioCommands.contains(words[0]);
    if (radio) {
        torvan::cli::InterruptWatch::OutlastTheTerminal();
    }
    torvan::cli::CheckedOutput out(stdout);
    const int status = Dispatch(words, console.Output(out.Stream()));
    const int error = out.Finish();
    if (error == 0) {
        return status;
    }
    // A reader that has gone (| head, a terminal that hung up) wants no more
    // output, and no message. A radio's transfer has happened all the same,
    // so its result is the status; any other command ends as the shell
    // reports one that a closed pipe ended.
    if (error == EPIPE || (radio && error == EIO)) {
        return radio ? status : kClosedPipeStatus;
    }
    std::cerr << "Cannot write standard output: " << torvan::ErrnoText(error) << ".\n";
    return !words.empty() && words[0] == "diff" ? 2 : std::max(status, 1);
}
