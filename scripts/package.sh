#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# build/torvan-encoder_VERSION_ARCH.deb (`apt install ./build/torvan-encoder_*.deb`).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
(cd build && cpack -G DEB >/dev/null)
ls build/torvan-encoder_*.deb
