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

// Where an option's value goes, when the command takes the option.
std::optional<std::string>* ValueOf(const std::string& option, unsigned options, PortArgs& parsed) {
    if (option == "--password" && (options & kPasswordOption) != 0) {
        return &parsed.password;
    }
    if (option == "--ptt-id" && (options & kPttIdOptions) != 0) {
        return &parsed.pttId;
    }
    if (option == "--ptt-ids" && (options & kPttIdOptions) != 0) {
        return &parsed.pttIds;
    }
    if (option == "--log" && (options & kLogOption) != 0) {
        return &parsed.log;
    }
    return nullptr;
}

}  // namespace

bool ParsePortArgs(const std::string& command, const Args& args, unsigned options, PortArgs& parsed,
                   std::ostream& err) {
    const std::string prefix = "torvan-cli " + command + ": ";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::optional<std::string>* value = ValueOf(arg, options, parsed);
        const bool takesValue = arg == "--port" || value != nullptr;
        const bool namesFile = arg == "--log" || arg == "--ptt-ids";
        if (takesValue && (i + 1 >= args.size() || (namesFile && args[i + 1].empty()))) {
            err << prefix << arg << " needs a value\n";
            return false;
        }
        if (arg == "--port") {
            parsed.ports.push_back(args[++i]);
        } else if (value != nullptr) {
            // Which radio gets which ID, and where the record goes, must not
            // hang on the order of two conflicting options.
            if (*value && arg != "--password") {
                err << prefix << arg << " is given twice\n";
                return false;
            }
            *value = args[++i];
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
    if (parsed.pttId && parsed.pttIds) {
        err << prefix << "--ptt-id and --ptt-ids cannot be used together; give one\n";
        return false;
    }
    return true;
}

}  // namespace torvan::cli
