#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a plain
# build and one with the address and undefined-behaviour sanitizers (which
# also runs the Read/Write soak); then each fuzz target for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
for variant in plain sanitize; do
  dir=build
  flags=(-DTORVAN_WERROR=ON)
  if [ "$variant" = sanitize ]; then
    dir=build-asan
    flags+=(-DTORVAN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  fi
  echo "== $variant build"
  scripts/build.sh "$dir" "${flags[@]}"
  echo "== $variant tests"
  ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" || status=1
done
echo "== fuzz targets"
scripts/fuzz.sh 10 || status=1
exit $status
