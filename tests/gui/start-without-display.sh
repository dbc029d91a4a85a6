#!/usr/bin/env bash
# The window started where it cannot open, or with an option it does not
# know: start-without-display.sh ENCODER
#   no DISPLAY, or a DISPLAY no server answers: one sentence on standard
#   error and status 1 (not the toolkit's abort);
#   --bogus: the option and the usage on standard error, status 2.
set -euo pipefail
encoder=$1
# What the toolkit keeps until the process ends is no leak of this program.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A display number no X server of this machine listens on.
free=250
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done
hint='. Run it in a desktop session, or use torvan-cli for work without a window.'
status=0
check() { # check STATUS EXPECTED-STDERR COMMAND...
  local want=$1 expected=$2 got=0
  shift 2
  timeout 10 "$@" >"$work/out" 2>"$work/err" || got=$? # a window that opened is ended
  printf '%s\n' "$expected" >"$work/expected"
  if [ "$got" != "$want" ] || ! diff -u "$work/expected" "$work/err" || [ -s "$work/out" ]; then
    echo "FAIL: $* ended with $got, expected $want" >&2
    status=1
  fi
}
check 1 "torvan-encoder: no display found (DISPLAY is not set)$hint" \
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$encoder"
check 1 "torvan-encoder: no display found (DISPLAY is not set)$hint" \
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$encoder" file.sin
check 1 "torvan-encoder: no display found (cannot connect to display :$free)$hint" \
  env DISPLAY=":$free" QT_QPA_PLATFORM=xcb "$encoder"
# XDG_RUNTIME_DIR keeps the toolkit from remarking on its absence.
mkdir -m 700 "$work/run"
check 2 "torvan-encoder: unknown option '--bogus'
Usage: torvan-encoder [--simulated-radio] [FILE.sin]
       torvan-encoder --help | --version" \
  env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" "$encoder" --bogus file.sin
[ "$status" -eq 0 ] && echo "no display, unknown option: refused with a sentence"
exit "$status"
