// torvan-cli: channel-data files and radio transfers from the command line.
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/DocumentCommands.h"

namespace {

using Command = std::function<int(const torvan::cli::Args&, std::ostream&, std::ostream&)>;

const char* const kUsage =
    "Usage: torvan-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  new OUT.sin     write a new document's channel data, as File New then\n"
    "                  File Save would (model lists from Program.ini beside\n"
    "                  this program)\n"
    "  show IN.sin     print the settings and the non-empty channels of a\n"
    "                  channel-data file\n"
    "  --help          show this text\n"
    "\n"
    "Errors are reported on standard error with a non-zero exit status;\n"
    "nothing is written when a command fails.\n";

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
    const std::map<std::string, Command> commands = {
        {"new", torvan::cli::RunNew},
        {"show", torvan::cli::RunShow},
    };
    const auto found = commands.find(words[0]);
    if (found == commands.end()) {
        std::cerr << "torvan-cli: unknown command '" << words[0] << "' (see torvan-cli --help)\n";
        return 2;
    }
    return found->second({words.begin() + 1, words.end()}, std::cout, std::cerr);
}
