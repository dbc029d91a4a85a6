#include "link/PortHint.h"

#include <array>
#include <utility>

#include "link/CloneTransfer.h"

namespace torvan {

std::string PortFailureHint(const std::string& reason) {
    static const std::array<std::pair<const char*, const char*>, 9> kHints = {{
        {"simulated-radio.sin",
         "Move the simulated radio's memory file away, and the radio starts anew."},
        {"Permission denied",
         "Your user may not use serial ports: add it to the dialout group "
         "(sudo usermod -aG dialout $USER) and log in again."},
        {"in use by another program", "Close the other program that holds the port."},
        {"Device or resource busy", "Close the other program that holds the port."},
        {"No such file or directory",
         "Check that the cable is plugged in and that the Port menu names it; "
         "[Ports] in Program.ini maps COM names to other devices."},
        {"no port is selected", "Choose the cable's port in the Port menu."},
        {"no serial device is known",
         "Choose COM1 to COM8, or map the name to a device under [Ports] in Program.ini."},
        {"no such port on this computer",
         "Check that the cable is plugged in and choose its COM port: torvan-cli ports lists "
         "the ports present, as does the Device Manager under Ports (COM & LPT)."},
        {"no serial port is named", "Choose the cable's COM port; torvan-cli ports lists them."},
    }};
    for (const auto& [word, hint] : kHints) {
        if (reason.find(word) != std::string::npos) {
            return hint;
        }
    }
    return {};
}

std::string FailureHint(const Result& failure) {
    if (std::string hint = PortFailureHint(failure.reason); !hint.empty()) {
        return hint;
    }
    static const std::array<std::pair<const char*, const char*>, 4> kHints = {{
        {clone_message::kOpenPortFail,
         "Check the port's name (torvan-cli ports lists them) and that the cable is plugged in."},
        {clone_message::kCommunicationError,
         "Check the cable at both ends and that the radio is switched on, then try again."},
        {clone_message::kPasswordError, "Give the radio's password with --password DIGITS."},
        {clone_message::kFrequencyMismatch,
         "The radio's band differs from the file's: write a file made for this radio's band "
         "(read the radio to get one)."},
    }};
    for (const auto& [message, hint] : kHints) {
        if (failure.error == message) {
            return hint;
        }
    }
    return {};
}

}  // namespace torvan
