#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/FleetPorts.h"
#include "cli/PortArgs.h"
#include "model/MemoryImage.h"

namespace torvan::cli {

// Each radio's own PTT ID in a write, so that a dispatcher sees which radio
// talks: counted up from --ptt-id FIRST in the order of the --port options,
// or looked up in a --ptt-ids sheet.

// FIRST, FIRST+1, ... for `count` radios: FIRST's trailing digits count up
// and keep their width ("0099", "0100"; "A01", "A02"); letters a-d are
// taken as A-D. nullopt, with the reason in `why`, when FIRST is not a PTT
// ID, does not end in digits, or the last radio's number would need more
// digits than FIRST has.
std::optional<std::vector<std::string>> CountedPttIds(const std::string& first, std::size_t count,
                                                      std::string& why);

// Each radio's PTT ID in the fleet's order, in `ids`; `ids` stays empty
// when neither option was given (every radio gets the file's). On a
// refusal, said on `err` before any radio is touched, the exit status (2
// for a FIRST that cannot count, 1 for a sheet that cannot be read, names a
// device twice or lacks a port of the fleet, or has a cell that is no PTT
// ID); else 0.
int PlanPttIds(const std::string& command, const PortArgs& args,
               const std::vector<FleetPort>& fleet, std::vector<std::string>& ids,
               std::ostream& err);

// What a write sends each radio of `fleet`: `image` (the file `file`'s)
// with that radio's own PTT ID, in `images`, once PlanPttIds has planned
// the IDs and the --log is no input of the command's. On a refusal, the
// exit status as PlanPttIds gives it (2 for a log that is an input); else 0.
int RadioImages(const PortArgs& args, const std::vector<FleetPort>& fleet, const std::string& file,
                const MemoryImage& image, std::vector<MemoryImage>& images, std::ostream& err);

}  // namespace torvan::cli
