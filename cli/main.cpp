// torvan-cli: channel-data files and radio transfers from the command line.
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/CloneCommands.h"
#include "cli/DocumentCommands.h"
#include "config/IniStore.h"

namespace {

using Command = std::function<int(const torvan::cli::Args&, std::ostream&, std::ostream&)>;

const char* const kUsage =
    "Usage: torvan-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  new OUT.sin     write a new document's channel data, as File New then\n"
    "                  File Save would (model lists from Program.ini)\n"
    "  show IN.sin     print the settings and the non-empty channels of a\n"
    "                  channel-data file\n"
    "  read --port PORT [--password DIGITS] OUT.sin\n"
    "                  read the radio's whole memory into OUT.sin (written\n"
    "                  only after a complete transfer); DIGITS is the password\n"
    "                  the settings panel would hold\n"
    "  write --port PORT IN.sin\n"
    "                  write IN.sin's channels and settings into the radio\n"
    "                  (refused when the radio's band differs from the file's)\n"
    "  power --port PORT POINT [VALUE]\n"
    "                  print a power tuning point's value and set it to VALUE\n"
    "                  (0-255) when given; POINT is low-low, low-high,\n"
    "                  middle-low, middle-high, high-low or high-high\n"
    "  --version       show the version and the Program.ini in use\n"
    "  --help          show this text\n"
    "\n"
    "PORT is COM1 to COM8 (/dev/ttyUSB0 to /dev/ttyUSB7, or as mapped in the\n"
    "[Ports] section of Program.ini, e.g. COM1=/dev/ttyACM0) or a device path.\n"
    "\n"
    "Errors are reported on standard error with a non-zero exit status;\n"
    "nothing is written when a command fails. Radio failures are reported as\n"
    "\"Open the port fail\", \"Communication error\", \"Password error\" or\n"
    "\"Frequency is not match.\", followed by the system's reason when known.\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        std::cerr << "torvan-cli: no command given (see torvan-cli --help)\n";
        return 2;
    }
    if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (words[0] == "--version") {
        // Program.ini's place depends on how the program was installed.
        std::cout << "torvan-cli " TORVAN_VERSION "\nProgram.ini: "
                  << torvan::IniStore().Path().string() << '\n';
        return 0;
    }
    const std::map<std::string, Command> commands = {
        {"new", torvan::cli::RunNew},     {"show", torvan::cli::RunShow},
        {"read", torvan::cli::RunRead},   {"write", torvan::cli::RunWrite},
        {"power", torvan::cli::RunPower},
    };
    const auto found = commands.find(words[0]);
    if (found == commands.end()) {
        std::cerr << "torvan-cli: unknown command '" << words[0] << "' (see torvan-cli --help)\n";
        return 2;
    }
    return found->second({words.begin() + 1, words.end()}, std::cout, std::cerr);
}
