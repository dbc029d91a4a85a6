#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: a plain build
# (warnings are errors), one with the address and undefined-behaviour
# sanitizers (which also runs the Read/Write soak), one with the thread
# sanitizer for the code that runs threads (the radio link and the window),
# then each fuzz target for a few seconds. Exits non-zero when any fails.
# The thread-sanitizer build compiles every source on its own (no unity
# batches), so a file that uses a name without including its header fails
# there even where a unity batch hides it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp"

status=0
run() {  # run NAME DIR CTEST-ARGS... -- CMAKE-ARGS...
  local name=$1 dir=$2
  shift 2
  local tests=()
  while [ "$1" != -- ]; do tests+=("$1"); shift; done
  shift
  echo "== $name build"
  local start=$SECONDS
  BUILD_TARGET=${BUILD_TARGET:-} scripts/build.sh "$dir" -DTORVAN_WERROR=ON "$@"
  echo "== $name tests"
  ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" "${tests[@]}" || status=1
  echo "== $name took $((SECONDS - start)) s"
}

run plain build --
# The sanitizer builds keep line tables only (-g1): their reports name files
# and lines, and the compile takes a quarter less than with full debug data.
# The installed-program test and the pictures need no second run under the
# sanitizers; that build builds only what its tests run.
BUILD_TARGET=torvan_tests \
  run sanitize build-asan -E '^(packaging|docs)\.' -- -DTORVAN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG=-g1
BUILD_TARGET="torvan_thread_tests torvan_core_tests torvan-encoder" \
  run thread build-tsan -R '^(link|gui|cli\.radio)\.' -- -DTORVAN_TSAN=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_UNITY_BUILD=OFF
echo "== fuzz targets"
start=$SECONDS
scripts/fuzz.sh 10 || status=1
echo "== fuzz took $((SECONDS - start)) s"
exit $status
