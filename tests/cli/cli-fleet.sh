# What torvan-cli tells about each radio: the fleet table, the hints for
# each failure, and each radio's own state after Ctrl+C. Needs CLI and SIM
# (torvan-radio-sim).
. "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
export XDG_DATA_HOME=$work/data  # where reads keep their copies
"$CLI" new f.sin || { echo "cannot set up" >&2; exit 1; }
pass=123456

# row FILE PORT RESULT LAST: the table's row of PORT holds RESULT, then no
# PTT ID (f.sin has none), then LAST.
row() {
  grep -qE -- "^$2 +$3 +[0-9.]+ s +- +$4\$" "$1" || fail "no row '$2 $3 ... $4' in: $(cat "$1")"
}
# said FILE LINE: FILE holds LINE.
said() {
  grep -qxF -- "$2" "$1" || fail "'$2' not in: $(cat "$1")"
}

# Each failure with what to do about it, alone and in a fleet; the RESULT
# column as wide as its longest message, the reasons below the table. A
# fleet without --verify passes only the radios whose write succeeded.
sim good
sim silent --silent
sim pulled --pull-after 0x0100
sim locked --password $pass
sim other --band 400-470
cable="Check the cable at both ends and that the radio is switched on, then try again."
band="The radio's band differs from the file's: write a file made for this radio's band (read the radio to get one)."
expect 1 "$cable" -- write --port "$silent" f.sin
expect 1 "Give the radio's password with --password DIGITS." -- read --port "$locked" r.sin
expect 1 "$band" -- write --port "$other" f.sin
expect 1 "Check the port's name (torvan-cli ports lists them) and that the cable is plugged in." -- \
  write --port /dev/null f.sin
"$CLI" write --port "$good" --port "$silent" --port "$pulled" --port "$other" --port no-cable \
  f.sin >table.out 2>table.err
status=$?
[ $status = 1 ] || fail "fleet with failures: exit $status, not 1"
head -n 1 table.out | grep -qE '^PORT +RESULT {19}TIME {6}PTT ID  VERIFY$' ||
  fail "the table's head: $(head -n 1 table.out)"
row table.out "$good" "OK" "-"
row table.out "$silent" "Communication error" "-"
row table.out "$pulled" "Communication error" "-"
row table.out "$other" "Frequency is not match\\." "-"
row table.out "no-cable" "Open the port fail" "-"
for line in "$silent: $cable" "$pulled: $pulled: the line was lost (cable pulled or device removed)" \
            "$pulled: $cable" "$other: $band" \
            "4 of 5 radios failed: $silent, $pulled, $other, no-cable"; do
  said table.err "$line"
done

# Usage: a repeated flag is the flag once, a command's --help its usage,
# and the names a user typed come back without their control bytes.
expect 0 "Read data: 100%" -- write --port "$good" --verify --verify f.sin
said stdout "Verify: the radio holds what was written"
expect 0 "" -- show --help
said stdout "Usage: torvan-cli show [--json] IN.sin"
expect 0 "" -- write --port COM1 x.sin -h
grep -q "^Usage: torvan-cli write --port PORT" stdout || fail "write -h said: $(cat stdout)"
expect 0 "" -- --help
grep -q "130, 131 and 143" stdout || fail "--help leaves out the signals' exit statuses"
expect 2 "torvan-cli: unknown command 'bad\\x1B[31mred' (see torvan-cli --help)" -- $'bad\e[31mred'
expect 1 "/tmp/no\\x1B[31mred: No such file or directory" -- write --port $'/tmp/no\e[31mred' f.sin
"$CLI" write --port "$good" --port $'/tmp/no\e[31mred' f.sin >escaped.out 2>&1
grep -q $'\e' escaped.out && fail "a port name coloured the terminal: $(cat -v escaped.out)"

# Ctrl+C while one radio is done and another still writes: only the one cut
# off failed. Then, once the slow radio reads back, the same for the
# read-back of a fleet and of a single write: the write completed and was
# not verified. (A command started with & ignores SIGINT unless told.)
interrupt() {  # interrupt TEXT FILE ARGUMENTS...: Ctrl+C once FILE shows TEXT
  local text=$1 err=$2
  shift 2
  env --default-signal=INT "$CLI" "$@" >"${err%.err}.out" 2>"$err" &
  local cli=$!
  [ "$3" = "$fast" ] && wait_for "^$fast +Verify: done" "$err" $cli
  wait_for "$text" "$err" $cli
  kill -INT $cli
  wait $cli
}
stop good
sim fast --save fast.mem
sim slow --pace --save slow.mem
sim alone --pace --save alone.mem
interrupt "^$slow +Write data: 10%" cut.err write --port "$fast" --port "$slow" --verify f.sin
status=$?
[ $status = 130 ] || fail "fleet cut off: exit $status, not 130"
row cut.out "$fast" "OK" "OK"
row cut.out "$slow" "Interrupted" "-"
said cut.err "$slow: Interrupted: the radio may hold a partial write; write it again."
said cut.err "1 of 2 radios failed: $slow"
unverified="Interrupted: the write completed; the read-back was stopped, so it was not verified."
interrupt "Read data: 10%" alone.err write --port "$alone" --verify f.sin &
alone_cli=$!
interrupt "^$slow +Verify: 10%" verify.err write --port "$fast" --port "$slow" --verify f.sin
status=$?
[ $status = 130 ] || fail "fleet read-back stopped: exit $status, not 130"
row verify.out "$fast" "OK" "OK"
row verify.out "$slow" "OK" "Interrupted"
said verify.err "$slow: $unverified"
grep -q "radios failed" verify.err && fail "a radio written in full counted as failed"
wait $alone_cli
status=$?
[ $status = 130 ] || fail "single read-back stopped: exit $status, not 130"
said alone.err "$unverified"
for radio in fast slow alone; do restored $radio; done
stop fast slow alone
for radio in fast slow alone; do
  cmp -n 3584 -s $radio.mem f.sin || fail "radio $radio does not hold the whole write"
done
stop silent pulled locked other
finish
