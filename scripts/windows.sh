#!/usr/bin/env bash
# The Windows build, made on this Debian 12 machine and tested under Wine:
# installs what is missing, builds a static Qt for Windows the first time
# (cached under ~/.cache, see scripts/windows-qt.sh), cross-builds the window
# and the command-line tool with MinGW-w64, runs the Windows tests under Wine
# (the core's GoogleTest cases, the CLI against simulated radios through Wine
# COM ports, the window, the installer), and leaves in build-windows/ the zip
# and the installer a Windows user downloads:
#   torvan-encoder-VERSION-windows-x64.zip
#   torvan-encoder-VERSION-windows-x64-setup.exe
# Exits non-zero when a build step or a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${TORVAN_WINDOWS_BUILD:-build-windows}")

# The Linux build's packages and the cross compiler, Wine and the packagers.
scripts/install-deps.sh \
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine wine64 nsis zip unzip python3-markdown

# The radios of the tests are the Linux simulator's, on pseudo-terminals that
# Wine's COM ports lead to; the Linux torvan-cli is what the Windows one is
# compared with.
echo "== the Linux simulated radio and command-line tool"
BUILD_TARGET="torvan-radio-sim torvan-cli" scripts/build.sh "$build/linux" -DTORVAN_BUILD_GUI=OFF
linux=$build/linux

started=$SECONDS
qt=$(scripts/windows-qt.sh)
echo "== Qt for Windows: $qt ($((SECONDS - started)) s)"

# Wine keeps its Windows (registry, drives, COM ports) in a prefix of this
# build's own; the first start makes it. No Mono or Gecko: nothing here
# needs .NET or an HTML engine, and their installers would ask.
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

echo "== build"
start=$SECONDS
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DTORVAN_WERROR=ON \
  -DCMAKE_UNITY_BUILD=ON -DTORVAN_LINUX_BUILD="$linux" >/dev/null
cmake --build "$build" -j "$(nproc)"
echo "== build took $((SECONDS - start)) s"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== making the Wine prefix $WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi

status=0
echo "== tests under Wine"
start=$SECONDS
# One at a time: the tests share the Wine prefix and its COM ports.
ctest --test-dir "$build" --output-on-failure -j 1 || status=1
echo "== tests took $((SECONDS - start)) s"

echo "== packages"
cmake --build "$build" --target torvan_windows_packages
ls -l "$build"/torvan-encoder-*-windows-x64*
# The Wine server of this prefix goes with the run.
wineserver --kill 2>/dev/null || true
exit $status
