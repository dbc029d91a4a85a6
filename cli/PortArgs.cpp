#include "cli/PortArgs.h"

#include <algorithm>
#include <cctype>
#include <ostream>

#include "link/PortNames.h"
#include "model/ImageLayout.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

bool IsPassword(const std::string& text) {
    return text.size() <= offset::kPasswordLength &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

bool ParsePortArgs(const std::string& command, const Args& args, PasswordOption password,
                   PortArgs& parsed, std::ostream& err) {
    const std::string prefix = "torvan-cli " + command + ": ";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue =
            arg == "--port" || (password == PasswordOption::Taken && arg == "--password");
        if (takesValue && i + 1 >= args.size()) {
            err << prefix << arg << " needs a value\n";
            return false;
        }
        if (arg == "--port") {
            parsed.ports.push_back(args[++i]);
        } else if (takesValue) {
            parsed.password = args[++i];
        } else if (arg.size() > 1 && arg.front() == '-' &&
                   !std::isdigit(static_cast<unsigned char>(arg[1]))) {
            err << prefix << "unknown option '" << PrintableText(arg)
                << "' (see torvan-cli --help)\n";
            return false;
        } else {
            parsed.positional.push_back(arg);
        }
    }
    if (parsed.ports.empty() ||
        std::find(parsed.ports.begin(), parsed.ports.end(), "") != parsed.ports.end()) {
        err << prefix << "--port PORT is required (" << kPortNameForms << ")\n";
        return false;
    }
    if (parsed.password && !IsPassword(*parsed.password)) {
        err << prefix << "the password is up to 6 digits\n";
        return false;
    }
    return true;
}

}  // namespace torvan::cli
