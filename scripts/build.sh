#!/usr/bin/env bash
# Configures and builds one build tree: build.sh DIR [extra cmake args...];
# BUILD_TARGET names the targets to build (separated by blanks) instead of
# everything. A compiler
# cache is used when one is installed.
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
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
# shellcheck disable=SC2086 # one word per target
cmake --build "$dir" -j "$(nproc)" ${BUILD_TARGET:+--target $BUILD_TARGET}
