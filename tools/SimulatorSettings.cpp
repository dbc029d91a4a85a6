#include "tools/SimulatorSettings.h"

#include <charconv>
#include <functional>
#include <map>
#include <optional>

#include "form/ImageCodec.h"
#include "model/BandSignature.h"
#include "model/ChannelFile.h"
#include "model/FrequencyLimits.h"
#include "model/PasswordCodec.h"

namespace torvan::sim {

const char* const kSimulatorUsage =
    "Usage: torvan-radio-sim [OPTIONS]\n"
    "\n"
    "Plays a radio on a pseudo-terminal. Prints the device path to open (one\n"
    "line on standard output), then answers the programming protocol until\n"
    "interrupted (Ctrl+C) or terminated.\n"
    "\n"
    "Memory:\n"
    "  --load FILE          start from a channel-data file (4096 bytes)\n"
    "  --seed N             without --load: fill the memory with the repeatable\n"
    "                       pattern N (default 1), no password, band 136-174 MHz\n"
    "  --password DIGITS    the radio's password (up to 6 digits)\n"
    "  --no-password        clear the password (0x840-0x845 = FF)\n"
    "  --band LOW-HIGH      band signature in whole MHz, e.g. 136-174\n"
    "  --tuning A,B,C,D,E,F the six power tuning values (0-255)\n"
    "  --save FILE          write the memory to FILE on exit\n"
    "  --link PATH          also make PATH a symbolic link to the device\n"
    "  --trace FILE         log every byte received (\">\") and sent (\"<\") to FILE,\n"
    "                       in hex, one line per direction, without timing\n"
    "\n"
    "Line:\n"
    "  --pace               take the time of a 9600-baud line for every byte\n"
    "\n"
    "Faults (ADDRESS is the first address of an 8-byte block, e.g. 0x0320):\n"
    "  --silent             never answer\n"
    "  --ignore-handshakes N  leave the first N handshakes unanswered\n"
    "  --ignore-handshake K   leave the K-th handshake unanswered (repeatable)\n"
    "  --reply-16           answer handshakes and level-write prepares with 0x16\n"
    "  --bad-ack-after ADDRESS  answer the acknowledge after reading ADDRESS\n"
    "                       with 0x15\n"
    "  --refuse-write ADDRESS   answer a write to ADDRESS with 0x15, unwritten\n"
    "  --drop-write ADDRESS answer a write to ADDRESS with 0x06 but store nothing\n"
    "  --junk               send stray bytes right behind every reply\n"
    "  --pull-after ADDRESS hang up the line after answering a read or write\n"
    "                       of ADDRESS (then exit)\n"
    "  --help               show this text\n"
    "  --version            show the version\n";

namespace {

std::optional<unsigned> ParseUnsigned(const std::string& text, unsigned limit) {
    int base = 10;
    std::string_view digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    unsigned value = 0;
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() ||
        value > limit) {
        return std::nullopt;
    }
    return value;
}

std::optional<unsigned> ParseBlockAddress(const std::string& text) {
    const auto address = ParseUnsigned(text, MemoryImage::kSize - 1);
    if (!address || *address % 8 != 0) {
        return std::nullopt;
    }
    return address;
}

bool ParseTuning(const std::string& text, MemoryImage& memory) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < offset::kTuningCount; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((i + 1 < offset::kTuningCount) == (comma == std::string::npos)) {
            return false;
        }
        const auto value = ParseUnsigned(text.substr(start, comma - start), 255);
        if (!value) {
            return false;
        }
        memory[offset::kTuning + i] = static_cast<std::uint8_t>(*value);
        start = comma + 1;
    }
    return true;
}

bool IsPassword(const std::string& text) {
    return !text.empty() && text.size() <= offset::kPasswordLength &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

using Handler = std::function<bool(const std::string&, SimulatorSettings&)>;

// Options that take a value, applied after the memory is chosen.
const std::map<std::string, Handler>& ValueOptions() {
    static const std::map<std::string, Handler> options = {
        {"--password",
         [](const std::string& v, SimulatorSettings& s) {
             EncodePasswordBytes(v, s.memory);
             return IsPassword(v);
         }},
        {"--band",
         [](const std::string& v, SimulatorSettings& s) {
             const auto limits = LimitsFromRangeText(v);
             if (limits) {
                 WriteBandSignature(*limits, s.memory);
             }
             return limits.has_value();
         }},
        {"--tuning",
         [](const std::string& v, SimulatorSettings& s) { return ParseTuning(v, s.memory); }},
        {"--save",
         [](const std::string& v, SimulatorSettings& s) {
             s.savePath = v;
             return !v.empty();
         }},
        {"--link",
         [](const std::string& v, SimulatorSettings& s) {
             s.linkPath = v;
             return !v.empty();
         }},
        {"--trace",
         [](const std::string& v, SimulatorSettings& s) {
             s.tracePath = v;
             return !v.empty();
         }},
        {"--ignore-handshakes",
         [](const std::string& v, SimulatorSettings& s) {
             const auto n = ParseUnsigned(v, 1000);
             for (unsigned k = 1; n && k <= *n; ++k) {
                 s.faults.ignoredHandshakes.insert(k);
             }
             return n.has_value();
         }},
        {"--ignore-handshake",
         [](const std::string& v, SimulatorSettings& s) {
             const auto k = ParseUnsigned(v, 1000000);
             if (k && *k > 0) {
                 s.faults.ignoredHandshakes.insert(*k);
             }
             return k && *k > 0;
         }},
        {"--bad-ack-after",
         [](const std::string& v, SimulatorSettings& s) {
             s.faults.badAckAfterRead = ParseBlockAddress(v);
             return s.faults.badAckAfterRead.has_value();
         }},
        {"--refuse-write",
         [](const std::string& v, SimulatorSettings& s) {
             s.faults.refusedWrite = ParseBlockAddress(v);
             return s.faults.refusedWrite.has_value();
         }},
        {"--drop-write",
         [](const std::string& v, SimulatorSettings& s) {
             s.faults.droppedWrite = ParseBlockAddress(v);
             return s.faults.droppedWrite.has_value();
         }},
        {"--pull-after",
         [](const std::string& v, SimulatorSettings& s) {
             s.faults.pullAfter = ParseBlockAddress(v);
             return s.faults.pullAfter.has_value();
         }},
    };
    return options;
}

bool ApplyFlag(const std::string& flag, SimulatorSettings& settings) {
    if (flag == "--pace") {
        settings.pace = true;
    } else if (flag == "--silent") {
        settings.faults.silent = true;
    } else if (flag == "--reply-16") {
        settings.faults.reply16 = true;
    } else if (flag == "--junk") {
        settings.faults.junk = true;
    } else if (flag == "--no-password") {
        EncodePasswordBytes("", settings.memory);
    } else if (flag == "--help" || flag == "-h") {
        settings.help = true;
    } else {
        return false;
    }
    return true;
}

// The memory comes first, so the other options can change it.
ResultOf<MemoryImage> ChooseMemory(const std::vector<std::string>& args) {
    using Chosen = ResultOf<MemoryImage>;
    unsigned seed = 1;
    std::string load;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--seed") {
            const auto value = ParseUnsigned(args[i + 1], 0xFFFFFFFFU);
            if (!value) {
                return Chosen::Failure("--seed needs a number");
            }
            seed = *value;
        } else if (args[i] == "--load") {
            load = args[i + 1];
        }
    }
    if (load.empty()) {
        return Chosen::Success(PatternMemory(seed));
    }
    MemoryImage memory;
    const FileResult loaded = LoadChannelFile(load, memory);
    return loaded.ok ? Chosen::Success(memory) : Chosen::Failure(loaded.error);
}

}  // namespace

MemoryImage PatternMemory(unsigned seed) {
    MemoryImage memory;
    std::uint32_t state = seed * 2654435761U + 1U;
    for (std::size_t i = 0; i < MemoryImage::kSize; ++i) {
        state = state * 1103515245U + 12345U;
        memory[i] = static_cast<std::uint8_t>(state >> 16U);
    }
    EncodePasswordBytes("", memory);
    WriteBandSignature(FrequencyLimits{}, memory);
    for (std::size_t i = 0; i < offset::kTuningCount; ++i) {
        memory[offset::kTuning + i] = static_cast<std::uint8_t>(0x80 + 0x10 * i);
    }
    return memory;
}

ResultOf<SimulatorSettings> ParseSimulatorArgs(const std::vector<std::string>& args) {
    using Parsed = ResultOf<SimulatorSettings>;
    const ResultOf<MemoryImage> memory = ChooseMemory(args);
    if (!memory.ok) {
        return Parsed::Failure(memory.error);
    }
    SimulatorSettings settings;
    settings.memory = memory.value;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--seed" || arg == "--load") {
            if (++i >= args.size()) {
                return Parsed::Failure("missing value for " + arg);
            }
            continue;
        }
        if (ApplyFlag(arg, settings)) {
            continue;
        }
        const auto option = ValueOptions().find(arg);
        if (option == ValueOptions().end()) {
            return Parsed::Failure("unknown option '" + arg + "'");
        }
        if (i + 1 >= args.size() || !option->second(args[i + 1], settings)) {
            return Parsed::Failure("bad or missing value for " + arg);
        }
        ++i;
    }
    return Parsed::Success(std::move(settings));
}

}  // namespace torvan::sim
