#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests (pdftotext reads the
# printed plan back), the fuzz targets (clang with libFuzzer), the headless
# screenshots and the .deb (validators, dpkg-shlibdeps) need, and the
# packages named as arguments (scripts/windows.sh names its own). Idempotent;
# silent when nothing is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-serialport-dev libqt6serialport6 qt6-svg-dev
  libgl1-mesa-dev libxkbcommon-dev
  xvfb xauth x11-apps imagemagick poppler-utils
  fonts-dejavu-core fonts-liberation2
  desktop-file-utils libxml2-utils shared-mime-info dpkg-dev file
  xdotool matchbox-window-manager python3
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
run_as_root=()
[ "$(id -u)" -eq 0 ] || run_as_root=(sudo)
"${run_as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${run_as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
