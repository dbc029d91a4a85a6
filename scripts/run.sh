#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with the project's
# simulated radio attached, for a first try without a radio: every port of
# this run leads to the simulator, whose memory is kept between runs in the
# data folder. Program.ini is left as it was. Arguments are passed on, so
# `scripts/run.sh FILE.sin` opens that channel-data file (relative to the
# folder the script was started from). For a real radio, start
# build/app/torvan-encoder itself.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Only what this script starts; the tests are scripts/test.sh's.
(cd "$root" && scripts/install-deps.sh &&
   BUILD_TARGET="torvan-encoder torvan-cli torvan-radio-sim" scripts/build.sh build)

if [[ "${XDG_DATA_HOME:-}" == /* ]]; then
  data="$XDG_DATA_HOME/torvan-pc-encoder"
else
  data="$HOME/.local/share/torvan-pc-encoder"
fi
mkdir -p "$data"
memory="$data/simulated-radio.sin"
if [[ ! -f "$memory" ]]; then
  # A radio fresh from the box: what File New holds.
  "$root/build/cli/torvan-cli" new "$memory"
fi

# Paced like a real 9600-baud line, so a first try feels like the real thing.
coproc SIM { exec "$root/build/tools/torvan-radio-sim" --pace --load "$memory" --save "$memory"; }
sim_pid=$SIM_PID
# The simulator saves its memory when it is told to stop.
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
read -r device <&"${SIM[0]}"
echo "Simulated radio on $device (memory kept in $memory)" >&2
TORVAN_SIMULATED_RADIO="$device" "$root/build/app/torvan-encoder" "$@"
