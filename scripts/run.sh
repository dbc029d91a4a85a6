#!/usr/bin/env bash
# Installs what is missing, builds, and shows a new document.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
build/cli/torvan-cli new build/new.sin
build/cli/torvan-cli show build/new.sin
