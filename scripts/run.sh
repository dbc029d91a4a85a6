#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Arguments are
# passed on, so `scripts/run.sh FILE.sin` opens that channel-data file
# (relative to the folder the script was started from).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
(cd "$root" && scripts/install-deps.sh && scripts/build.sh build)
exec "$root/build/app/torvan-encoder" "$@"
