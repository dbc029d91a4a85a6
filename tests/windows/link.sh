#!/usr/bin/env bash
# torvan-cli.exe against radios on Wine's COM ports: the Linux simulated
# radio on a pseudo-terminal that a COM link in the Wine prefix leads to.
# Every exchange of read, write --verify and power must be the same bytes as
# the Linux torvan-cli's (the simulator's --trace), and a fleet, a silent
# radio, a missing port, a port in use, the port list and the in-process
# simulated radio must say what a user is told. Needs CLI_EXE, SIM,
# LINUX_CLI and a Wine prefix (WINEPREFIX, else BUILD_DIR/wine).
set -uo pipefail
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
# However the test ends, the simulators and Windows programs still running
# end, by PID (the shell's own jobs).
trap 'kill $(jobs -pr) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1
export XDG_DATA_HOME=$work/data # where the Linux reads keep their copies
com=$WINEPREFIX/dosdevices
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# sim NAME OPTIONS...: a simulated radio in the background, ${NAME}_pid its
# PID; returns once its device is there.
sim() {
  local name=$1
  shift
  "$SIM" "$@" >"$name.sim" 2>&1 &
  printf -v "${name}_pid" %s $!
  until [ -s "$name.sim" ] || ! kill -0 $! 2>/dev/null; do sleep 0.05; done
}
# stop NAME: ends the radio, which then saves its memory and trace.
stop() {
  local pid="${1}_pid"
  kill "${!pid}" 2>/dev/null
  wait "${!pid}"
}
# win ARGS...: torvan-cli.exe; its standard output in out, its standard
# error (without the carriage returns) in err, its status in $status. Files,
# not pipes: a Wine server started here must not hold the test's pipes.
win() {
  wine "$CLI_EXE" "$@" </dev/null >out 2>err.raw
  status=$?
  tr -d '\r' <err.raw >err
}
# said STATUS LINE...: the last win ended with STATUS and said each LINE.
said() {
  local want=$1 line
  shift
  [ "$status" = "$want" ] || fail "exit $status, not $want: $(cat err)"
  for line in "$@"; do
    grep -qxF -- "$line" err || fail "'$line' not in: $(cat err)"
  done
}

# same NAME LINUX-ARGS -- WINDOWS-ARGS: the command of each build against
# its own radio of one memory; the radios' traces must match byte for byte.
same() {
  local name=$1 args=() warg
  shift
  while [ "$1" != -- ]; do args+=("$1"); shift; done
  shift
  sim "l$name" --seed 3 --link "$work/radio" --trace "l$name.trace"
  "$LINUX_CLI" "${args[@]/RADIO/$work/radio}" >"l$name.out" 2>"l$name.err" ||
    fail "Linux $name: $(cat "l$name.err")"
  stop "l$name"
  sim "w$name" --seed 3 --link "$com/com21" --trace "w$name.trace"
  win "$@"
  [ "$status" = 0 ] || fail "Windows $name: $(cat err)"
  cp out "w$name.out"
  stop "w$name"
  [ -s "l$name.trace" ] || fail "$name: nothing crossed the line"
  cmp -s "l$name.trace" "w$name.trace" ||
    fail "$name: the bytes differ: $(diff "l$name.trace" "w$name.trace" | head -n 4)"
  tr -d '\r' <"w$name.out" | cmp -s - "l$name.out" || fail "$name: the outputs differ"
}
same read read --port RADIO l.sin -- read --port COM21 w.sin
cmp -s l.sin w.sin || fail "the two reads saved different files"
same write write --verify --port RADIO l.sin -- write --verify --port com21 l.sin
same power power --port RADIO high-low 17 -- power --port '\\.\COM21' high-low 17

# Two radios at once, each on its own COM port; then the ports present.
sim a --seed 5 --link "$com/com21" --save a.sin
sim b --seed 6 --link "$com/com5" --save b.sin
win write --port COM21 --port COM5 l.sin
said 0
grep -qE '^COM21 +OK ' out && grep -qE '^COM5 +OK ' out || fail "fleet table: $(cat out)"
win write --port COM21 --port '\\.\com21' l.sin
said 2 "torvan-cli write: COM21 and \\\\.\\com21 are the same device (\\\\.\\COM21); name each radio once"
# A fleet read saves one file a port, named after it; COM1 to COM9 name
# Windows devices, so their files get "-radio".
mkdir radios
win read --port COM21 --port COM5 radios
said 0
cmp -s -n 3584 radios/COM21.sin l.sin && cmp -s -n 3584 radios/COM5-radio.sin l.sin ||
  fail "fleet read: $(ls radios) $(cat out)"
win ports
said 0
for port in COM21 COM5; do
  grep -qF "$port  (not registered with the system; found by opening it)" out ||
    fail "ports: no $port in: $(cat out)"
done
stop a
stop b
for radio in a b; do
  cmp -s -n 3584 l.sin $radio.sin || fail "radio $radio does not hold what was written"
done

# Silent, missing, in use: the fixed message, the reason, what to do.
sim silent --silent --link "$com/com21"
win read --port COM21 s.sin
said 1 "Communication error" \
  "Check the cable at both ends and that the radio is switched on, then try again."
stop silent
win read --port COM29 s.sin
said 1 "Open the port fail" "COM29: no such port on this computer" \
  "Check that the cable is plugged in and choose its COM port: torvan-cli ports lists the ports present, as does the Device Manager under Ports (COM & LPT)."
[ ! -e s.sin ] || fail "a failed read left s.sin"
# A paced read holds the port while a second copy of the program asks.
sim paced --pace --seed 3 --link "$com/com21" --trace paced.trace
wine "$CLI_EXE" read --port COM21 p.sin </dev/null >p.out 2>p.err &
holder=$!
until [ -s paced.trace ] || ! kill -0 $holder 2>/dev/null; do sleep 0.05; done
win power --port com21 low-low
said 1 "Open the port fail" "COM21: in use by another program" \
  "Close the other program that holds the port."
wait $holder || fail "the paced read failed: $(cat p.err)"
cmp -s p.sin l.sin || fail "the paced read saved other bytes"
stop paced

# The simulated radio inside the program keeps its memory from run to run.
win --simulated-radio write --port COM1 l.sin
said 0
win --simulated-radio read --port COM7 m.sin
said 0
cmp -s -n 3584 l.sin m.sin || fail "the simulated radio forgot the write"

[ "$failures" = 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all checks passed"
