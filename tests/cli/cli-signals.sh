# A radio transfer outlives its terminal: a closed pipe, a hang-up or a
# SIGHUP finish the transfer, restore the port and leave the exit status to
# the transfer; SIGINT and SIGQUIT stop it at the next block. Needs CLI and
# SIM (torvan-radio-sim); the radios keep the time of a real line (--pace),
# so the transfers are still running when the terminal goes.
. "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
export XDG_DATA_HOME=$work/data  # where reads keep their copies
"$CLI" new f.sin || { echo "cannot set up" >&2; exit 1; }
# The radios start with other bytes in every block a write sends (and no
# password at 0x840): only a whole write makes them f.sin.
fill() { head -c "$1" /dev/zero | tr '\0' "$2"; }
{ fill 2112 '\125'; fill 6 '\377'; fill 1466 '\125'; tail -c +3585 f.sin; } >old.sin

# holds NAME: radio NAME, ended, holds f.sin, and its port has its settings.
holds() {
  restored "$1"
  stop "$1"
  cmp -s "$1.mem" f.sin || fail "radio $1 does not hold the whole write"
}

for radio in a b c d e f g h i; do sim $radio --pace --load old.sin --save $radio.mem; done

# All at once, each a different terminal problem. A reader that stops after
# three lines closes standard output and standard error of a fleet write
# and of a fleet read, which save each radio in full.
("$CLI" write --port "$a" --port "$b" f.sin 2>&1 | head -n 3 >/dev/null
  echo "${PIPESTATUS[0]}" >piped-write.status) &
piped=($!)
mkdir read
("$CLI" read --port "$c" --port "$d" read 2>&1 | head -n 3 >/dev/null
  echo "${PIPESTATUS[0]}" >piped-read.status) &
piped+=($!)
# A SIGHUP, as a closed terminal sends one.
"$CLI" write --port "$e" f.sin 2>hup.err & hup=$!
# A terminal window closed mid-write: the hang-up, then writes that fail,
# the table's too.
python3 "$(dirname "$0")/on-pty.py" --hangup-after "10%" -- \
  "$CLI" write --port "$f" --port "$i" f.sin &
closed=$!
# SIGQUIT and Ctrl+C stop the write at the next block. (A command started
# with & ignores SIGINT and SIGQUIT unless told otherwise.)
env --default-signal=INT,QUIT "$CLI" write --port "$g" f.sin 2>quit.err & quit=$!
env --default-signal=INT,QUIT "$CLI" write --port "$h" f.sin 2>int.err & int=$!

wait_for "Write data: 10%" hup.err $hup
kill -HUP $hup
wait_for "Write data: 10%" quit.err $quit
kill -QUIT $quit
wait_for "Write data: 10%" int.err $int
kill -INT $int
for signalled in "quit 131 $quit" "int 130 $int"; do
  set -- $signalled
  wait "$3"; status=$?
  [ $status = "$2" ] || fail "SIG${1^^}: exit $status, not $2"
  grep -qxF "Interrupted: the radio may hold a partial write; write it again." "$1.err" ||
    fail "SIG${1^^} said: $(cat "$1.err")"
done
restored g
restored h

wait $hup; status=$?
[ $status = 0 ] || fail "write after SIGHUP: exit $status, not 0"
grep -qxF "Write data: 100%" hup.err || fail "write after SIGHUP said: $(cat hup.err)"
wait $closed; status=$?
[ $status = 0 ] || fail "write on a closed terminal: exit $status, not 0"
wait "${piped[@]}"
for piped in piped-write piped-read; do
  [ "$(cat $piped.status)" = 0 ] || fail "$piped into head: exit $(cat $piped.status), not 0"
done
for radio in a b e f i; do holds $radio; done
for radio in c d; do
  restored $radio
  cmp -s "read/$(basename "${!radio}").sin" old.sin || fail "the read of $radio was not saved"
done
stop c d g h
finish
