#!/usr/bin/env bash
# Configures and builds one build tree: build.sh DIR [extra cmake args...];
# BUILD_TARGET names the targets to build (separated by blanks) instead of
# everything. A compiler cache is used when one is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths relative to the checkout, so another clone reuses the cache.
  export CCACHE_BASEDIR=$PWD
fi
# Unity builds compile each folder's sources together: Qt's and the standard
# library's headers are read once per batch, not once per file, which halves
# the compile time of a fresh build on a small machine.
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON \
  "${launcher[@]}" "$@" >/dev/null
# shellcheck disable=SC2086 # one word per target
cmake --build "$dir" -j "$(nproc)" ${BUILD_TARGET:+--target $BUILD_TARGET}
