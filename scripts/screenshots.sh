#!/usr/bin/env bash
# Renews the user guide's pictures in docs/images/ from the real windows,
# rendered headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
QT_QPA_PLATFORM=offscreen build/docs/screenshots/torvan-screenshots docs/images
