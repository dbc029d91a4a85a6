#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined-behaviour
# sanitizers) in build-fuzz and runs each in turn for SECONDS (default 10),
# or until RUNS executions when given first:
#
#   scripts/fuzz.sh [SECONDS] [RUNS]
#
# Each target starts from its seed corpus in fuzz/corpus/<name>; what it
# finds is kept in build-fuzz/corpus/<name>, so later runs go on from there.
# A broken property or a sanitizer report stops the run with a non-zero
# status and leaves the input as build-fuzz/crash-*. TORVAN_FUZZ_TARGETS
# (e.g. "ini image") runs only those targets. Hangs are judged on
# virtual time inside the targets; the minute allowed per input here only
# catches a runaway on a busy machine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-10}
runs=${2:--1}
dir=${TORVAN_FUZZ_DIR:-build-fuzz}

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTORVAN_FUZZ=ON -DTORVAN_BUILD_GUI=OFF -DTORVAN_WERROR=ON >/dev/null
cmake --build "$dir" -j "$(nproc)" --target torvan_fuzz

# Longest input per target: a typed text, a Program.ini, the replies of a
# whole transfer, a channel-data file with a Program.ini after it.
declare -A max_len=([codecs]=128 [ini]=2048 [protocol]=8192 [image]=6144)
for name in ${TORVAN_FUZZ_TARGETS:-codecs ini protocol image}; do
  mkdir -p "$dir/corpus/$name"
  echo "== fuzz-$name: ${seconds} s$([ "$runs" -ge 0 ] && echo " or $runs runs")"
  (cd "$dir" && ./fuzz/fuzz-$name -max_total_time="$seconds" -runs="$runs" \
     -max_len="${max_len[$name]}" -timeout=60 -print_final_stats=1 \
     "corpus/$name" "$root/fuzz/corpus/$name" 2>&1) |
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::|Done)|ERROR|SUMMARY|property broken|runtime error|Test unit written'
done
