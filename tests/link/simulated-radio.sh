# The simulated radio inside torvan-cli (--simulated-radio): every port of
# the run is that radio, it starts as a new radio and keeps its memory in
# the data folder from run to run; and the trace the pseudo-terminal
# simulator keeps of a line. Needs CLI and SIM.
. "$(dirname "$0")/../cli/expect.sh"
cd "$work" || exit 1
export XDG_DATA_HOME=$work/data
memory=$XDG_DATA_HOME/torvan-pc-encoder/simulated-radio.sin

# A new radio holds what File New holds; nothing is kept until it changes.
"$CLI" new new.sin || { echo "cannot set up" >&2; exit 1; }
expect 0 "Read data: 100%" -- --simulated-radio read --port COM1 fresh.sin
cmp -s new.sin fresh.sin || fail "a new simulated radio is not a new document"
[ ! -e "$memory" ] || fail "a read alone wrote the radio's memory file"

# A write, a power point and a read in three runs, on any port names.
sim radio --seed 4 --save other.sin
stop radio
expect 0 "Write data: 100%" -- --simulated-radio write --port COM3 other.sin
expect 0 "" -- --simulated-radio power --port /dev/null high-high 201
expect 0 "" -- --simulated-radio power --port COM8 high-high
grep -qx "High High 201" stdout || fail "the power point was not kept: $(cat stdout)"
expect 0 "Read data: 100%" -- --simulated-radio read --port COM9 back.sin
cmp -s -n 3584 other.sin back.sin || fail "the written channels were not kept"
cmp -s back.sin "$memory" || fail "the memory file is not what the radio holds"
# One radio: two ports of a fleet are the same device.
expect 2 "torvan-cli write: COM1 and COM2 are the same device (simulated radio); name each radio once" -- \
  --simulated-radio write --port COM1 --port COM2 other.sin
# Only this run: without the option COM1 is the cable again.
expect 1 "Open the port fail" -- read --port COM1 cable.sin
# A damaged memory file is left as it is, and the port does not open.
printf 'short' >"$memory"
expect 1 "Move the simulated radio's memory file away, and the radio starts anew." -- \
  --simulated-radio read --port COM1 damaged.sin
[ "$(cat "$memory")" = short ] || fail "the damaged memory file was changed"

# The pseudo-terminal simulator's trace: each direction's run of bytes on
# its own line, as the radio received (>) and sent (<) them.
sim traced --trace line.trace --tuning 1,2,3,4,5,6
expect 0 "" -- power --port "$traced" low-high
stop traced
printf '%s\n' "> 02 50 52 4F 47 52 43" "< 06" "> 4D 51" "< 4D 51 00 00 02" "> 06" "< 06" \
  "> 02 50 52 4F 47 52 43" "< 06" "> 4D 60" | cmp -s - line.trace ||
  fail "the trace: $(cat line.trace)"
finish
