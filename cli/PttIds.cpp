#include "cli/PttIds.h"

#include <filesystem>
#include <ostream>

#include "cli/FileArgs.h"
#include "cli/JobLog.h"
#include "config/PortsSection.h"
#include "csv/PttIdSheet.h"
#include "form/DtmfSettings.h"
#include "link/serial/PortFactory.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

// The sheet's ports as the fleet's are resolved, each device once.
bool CheckSheetPorts(const std::string& shown, const std::vector<csv::PttIdEntry>& entries,
                     std::vector<FleetPort>& ports, std::ostream& err) {
    const PortResolver resolver = RunPortResolver(PortsSection());
    std::vector<DeviceIdentity> identities;
    for (const csv::PttIdEntry& entry : entries) {
        FleetPort port{entry.port, resolver.Resolve(entry.port)};
        const DeviceIdentity identity = IdentityOf(port);
        for (std::size_t j = 0; j < identities.size(); ++j) {
            if (identities[j] != identity) {
                continue;
            }
            const std::string lines =
                "lines " + std::to_string(entries[j].line) + " and " + std::to_string(entry.line);
            err << shown << ": "
                << (entry.port == entries[j].port
                        ? PrintableText(entry.port) + " is listed twice (" + lines + ")"
                        : PrintableText(entries[j].port) + " and " + PrintableText(entry.port) +
                              " are the same device (" + lines + ")")
                << "; give each radio one line\n";
            return false;
        }
        identities.push_back(identity);
        ports.push_back(std::move(port));
    }
    return true;
}

int SheetPttIds(const std::string& file, const std::vector<FleetPort>& fleet,
                std::vector<std::string>& ids, std::ostream& err) {
    const auto text = ReadTextOrReport(file, err);
    if (!text) {
        return 1;
    }
    const std::string shown = PrintableText(file);
    const csv::PttIdSheet sheet = csv::ReadPttIdSheet(*text);
    if (!sheet.read.error.empty()) {
        err << shown << ": " << PrintableText(sheet.read.error) << '\n';
    }
    for (const csv::SheetNote& note : sheet.read.notes) {
        err << shown << ": " << PrintableText(csv::NoteText(note, csv::FixPolicy::Refuse)) << '\n';
    }
    std::vector<FleetPort> listed;
    if (!sheet.read.MayStore(csv::FixPolicy::Refuse) ||
        !CheckSheetPorts(shown, sheet.entries, listed, err)) {
        return 1;
    }
    std::string missing;
    for (const FleetPort& port : fleet) {
        const DeviceIdentity identity = IdentityOf(port);
        std::size_t at = 0;
        while (at < listed.size() && IdentityOf(listed[at]) != identity) {
            ++at;
        }
        if (at == listed.size()) {
            missing += (missing.empty() ? "" : ", ") + PrintableText(port.name);
        } else {
            ids.push_back(sheet.entries[at].pttId);
        }
    }
    if (!missing.empty()) {
        err << shown << ": no line names " << missing << "; give each radio its PTT ID\n";
        return 1;
    }
    return 0;
}

}  // namespace

std::optional<std::vector<std::string>> CountedPttIds(const std::string& first, std::size_t count,
                                                      std::string& why) {
    const auto id = PttIdFromText(first);
    if (!id || id->empty()) {
        why = "'" + PrintableText(first) + "' is not a PTT ID (up to 8 of 0-9, A-D, * and #)";
        return std::nullopt;
    }
    const std::size_t digits = id->size() - (id->find_last_not_of("0123456789") + 1);
    if (digits == 0) {
        why = "'" + *id + "' does not end in digits to count up (e.g. 1001 or A01)";
        return std::nullopt;
    }
    const std::string prefix = id->substr(0, id->size() - digits);
    const unsigned long long start = std::stoull(id->substr(prefix.size()));
    const std::string last = std::to_string(start + count - 1);
    if (last.size() > digits) {
        why = "'" + *id + "' counts up to " + last + " for " + std::to_string(count) +
              " radios, more than its " + std::to_string(digits) + " digit" +
              (digits == 1 ? "" : "s") + " hold; start lower or with more digits";
        return std::nullopt;
    }
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string number = std::to_string(start + i);
        ids.push_back(prefix + std::string(digits - number.size(), '0') + number);
    }
    return ids;
}

int PlanPttIds(const std::string& command, const PortArgs& args,
               const std::vector<FleetPort>& fleet, std::vector<std::string>& ids,
               std::ostream& err) {
    if (args.pttIds) {
        return SheetPttIds(*args.pttIds, fleet, ids, err);
    }
    if (!args.pttId) {
        return 0;
    }
    std::string why;
    const auto counted = CountedPttIds(*args.pttId, fleet.size(), why);
    if (!counted) {
        err << "torvan-cli " << command << ": --ptt-id " << why << '\n';
        return 2;
    }
    ids = *counted;
    return 0;
}

int RadioImages(const PortArgs& args, const std::vector<FleetPort>& fleet, const std::string& file,
                const MemoryImage& image, std::vector<MemoryImage>& images, std::ostream& err) {
    std::vector<std::string> ids;
    if (const int refused = PlanPttIds("write", args, fleet, ids, err); refused != 0) {
        return refused;
    }
    std::vector<std::filesystem::path> inputs = {PathFromUtf8(file)};
    if (args.pttIds) {
        inputs.push_back(PathFromUtf8(*args.pttIds));
    }
    if (LogIsAlsoAFile("write", args.log, inputs, err)) {
        return 2;
    }
    images.assign(fleet.size(), image);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        StorePttId(images[i], ids[i]);
    }
    return 0;
}

}  // namespace torvan::cli
