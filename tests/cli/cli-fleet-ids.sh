# Each radio of a fleet with its own PTT ID, and the log of every radio:
# counted IDs and IDs from a sheet land in their radios and nowhere else,
# refusals touch no radio, --verify compares each radio with its own image,
# the log keeps a whole line for each radio that ended (after Ctrl+C too),
# and torvan-cli log shows it. Needs CLI and SIM (torvan-radio-sim).
. "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
export XDG_DATA_HOME=$work/data  # where reads keep their copies
"$CLI" new f.sin || { echo "cannot set up" >&2; exit 1; }
time='[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}[+-][0-9]{2}:[0-9]{2}'

# want NAME ID: NAME.want is f.sin with ID at 0x820-0x827, zeros after it.
want() {
  { head -c 2080 f.sin; printf '%s' "$2"; head -c $((8 - ${#2})) /dev/zero; tail -c +2089 f.sin; } \
    >"$1.want"
}
# holds NAME ID: radio NAME, ended, holds every byte of f.sin a write sends,
# but for its PTT ID ID.
holds() {
  want "$1" "$2"
  cmp -s -n 3584 "$1.mem" "$1.want" ||
    fail "radio $1 is not f.sin with PTT ID $2: $(cmp -l -n 3584 "$1.mem" "$1.want" | head -n 3)"
}
# row FILE PORT RESULT ID LAST: the table's row of PORT (a regular expression).
row() {
  grep -qE -- "^$2 +$3 +[0-9.]+ s +$4 +$5\$" "$1" || fail "no row '$2 $3 $4 $5' in: $(cat "$1")"
}
# logged LOG CELLS: LOG has a line of a time, then CELLS, then the seconds.
logged() {
  grep -qE -- "^$time,$(sed 's/[*#.]/[&]/g' <<<"$2"),[0-9]+\.[0-9]"$'\r$' "$1" ||
    fail "no line '$2' in $1: $(cat "$1")"
}
# said FILE LINE: FILE holds LINE.
said() { grep -qxF -- "$2" "$1" || fail "'$2' not in: $(cat "$1")"; }
sha() { want "$1" "$2" && sha256sum "$1.want" | cut -d ' ' -f 1; }

# Counted from FIRST in the order of the ports, each radio verified against
# its own image; then from a sheet (a byte-order mark, CRLF, its columns in
# another order, one more column, a port not written, an empty row at the
# end) onto two of them; then one radio alone. Each radio's line in the log.
sim a --save a.mem
sim b --save b.mem
sim c --save c.mem
sim d --save d.mem
"$CLI" write --port "$a" --port "$b" --port "$c" --ptt-id 0099 --verify --log log.csv f.sin \
  >count.out 2>count.err || fail "counted IDs: $(cat count.err)"
row count.out "$a" OK 0099 OK
row count.out "$b" OK 0100 OK
row count.out "$c" OK 0101 OK
printf '\357\273\277PTT ID,Note,Port\r\n1a2*,first,%s\r\n#9,,%s\r\n5,spare,COM8\r\n,,\r\n' \
  "$b" "$a" >ids.csv
"$CLI" write --port "$a" --port "$b" --ptt-ids ids.csv --log log.csv f.sin >sheet.out 2>sheet.err ||
  fail "IDs from a sheet: $(cat sheet.err)"
row sheet.out "$a" OK "#9" -
row sheet.out "$b" OK "1A2\\*" -
expect 0 "Write data: 100%" -- write --port "$d" --ptt-id 7 --log log.csv f.sin
said stdout "PTT ID: 7"
logged log.csv "write,$a,,$work/f.sin,$(sha a 0099),0099,OK,OK"
logged log.csv "write,$b,,$work/f.sin,$(sha b 0100),0100,OK,OK"
logged log.csv "write,$c,,$work/f.sin,$(sha c 0101),0101,OK,OK"
logged log.csv "write,$a,,$work/f.sin,$(sha a '#9'),#9,OK,"
logged log.csv "write,$b,,$work/f.sin,$(sha b 1A2*),1A2*,OK,"
logged log.csv "write,$d,,$work/f.sin,$(sha d 7),7,OK,"

# A read says the PTT ID each radio holds: a fleet's in its table, one
# radio's on standard output; the log has the SHA-256 of the file saved.
mkdir radios
"$CLI" read --port "$a" --port "$d" --log log.csv radios >read.out 2>read.err ||
  fail "fleet read: $(cat read.err)"
row read.out "$a" OK "#9" "radios/.*"
row read.out "$d" OK 7 "radios/.*"
expect 0 "Read data: 100%" -- read --port "$d" --log log.csv one.sin
said stdout "PTT ID: 7"
logged log.csv "read,$d,,$work/one.sin,$(sha256sum one.sin | cut -d ' ' -f 1),7,OK,"
stop a b c
holds a "#9"
holds b 1A2*
holds c 0101

# --verify compares each radio with its own image: a radio that drops the
# PTT ID's block is named, the one beside it is not.
sim good --save good.mem
sim drop --drop-write 0x0820
"$CLI" write --port "$good" --port "$drop" --ptt-id 11 --verify f.sin >drop.out 2>drop.err
status=$?
[ $status = 1 ] || fail "a radio that dropped its PTT ID: exit $status, not 1"
row drop.out "$good" OK 11 OK
row drop.out "$drop" OK 12 "[0-9] bytes differ: 0x82[0-7].*"
said drop.err "1 of 2 radios failed: $drop"

# Refused before any radio is touched: no radio sees a byte, no log is made.
sim w1 --trace w1.trace
sim w2 --trace w2.trace
sim w3 --trace w3.trace
ln -s "$w1" cable
printf 'Port,PTT ID\n%s,1\n' "$w1" >short.csv
printf 'Port,PTT ID\n%s,1\n%s,2\n%s,3\n' "$w1" "$w2" "$w1" >twice.csv
printf 'Port,PTT ID\n%s,1\n%s,2\n%s,3\n' "$w1" "$w2" "$work/cable" >alias.csv
printf 'Port,PTT ID\n%s,1\n%s,12E\n' "$w1" "$w2" >bad.csv
printf 'Port;PTT ID\n%s;1\n' "$w1" >semi.csv
refused() {  # refused STATUS LINE OPTIONS...: a write of w1 and w2
  expect "$1" "$2" -- write --port "$w1" --port "$w2" "${@:3}" --log refused.csv f.sin
}
refused 2 "torvan-cli write: --ptt-id '98' counts up to 100 for 3 radios, more than its 2 digits hold; start lower or with more digits" \
  --port "$w3" --ptt-id 98
refused 2 "torvan-cli write: --ptt-id 'A*' does not end in digits to count up (e.g. 1001 or A01)" \
  --ptt-id 'a*'
for id in 12X 123456789; do
  refused 2 "torvan-cli write: --ptt-id '$id' is not a PTT ID (up to 8 of 0-9, A-D, * and #)" \
    --ptt-id $id
done
refused 2 "torvan-cli write: --ptt-id and --ptt-ids cannot be used together; give one" \
  --ptt-id 1 --ptt-ids short.csv
refused 1 "short.csv: no line names $w2; give each radio its PTT ID" --ptt-ids short.csv
refused 1 "twice.csv: $w1 is listed twice (lines 2 and 4); give each radio one line" \
  --ptt-ids twice.csv
refused 1 "alias.csv: $w1 and $work/cable are the same device (lines 2 and 4); give each radio one line" \
  --ptt-ids alias.csv
refused 1 'bad.csv: line 3, PTT ID: refused: "12E" is not a PTT ID (up to 8 of 0-9, A-D, * and #)' \
  --ptt-ids bad.csv
refused 1 'semi.csv: the header row has no column "Port"; it reads "Port;PTT ID" as one column: columns must be separated by commas, not semicolons' \
  --ptt-ids semi.csv
refused 1 "Cannot read none.csv: No such file or directory." --ptt-ids none.csv
refused 2 "torvan-cli write: --log is given twice" --log other.csv
expect 2 "torvan-cli write: --log f.sin is also the command's file f.sin; give the log a name of its own" \
  -- write --port "$w1" --log f.sin f.sin
[ ! -e refused.csv ] || fail "a refused job made its log: $(cat refused.csv)"
stop w1 w2 w3
for radio in w1 w2 w3; do
  [ ! -s $radio.trace ] || fail "a refused job touched $radio: $(head -c 80 $radio.trace)"
done

# Ctrl+C while one radio is done and another still writes: both lines are
# in the log, whole; the one cut off says so.
sim slow --pace
env --default-signal=INT "$CLI" write --port "$good" --port "$slow" --ptt-id 21 --log cut.csv \
  f.sin >cut.out 2>cut.err &
cli=$!
wait_for "^$good +Write data: done" cut.err $cli
wait_for "^$slow +Write data: 10%" cut.err $cli
kill -INT $cli
wait $cli
status=$?
[ $status = 130 ] || fail "fleet cut off: exit $status, not 130"
logged cut.csv "write,$good,,$work/f.sin,$(sha good 21),21,OK,"
logged cut.csv "write,$slow,,$work/f.sin,$(sha slow 22),22,Interrupted,"
[ "$(grep -c $'\r$' cut.csv)" = 3 ] && [ -z "$(tail -c 1 cut.csv | tr -d '\n')" ] ||
  fail "the log after Ctrl+C is not three whole lines: $(cat -A cut.csv)"
stop slow

# A log that cannot be written is said before the first radio and at the
# end; the radios are written all the same.
mkdir folder
"$CLI" write --port "$good" --port "$d" --log folder f.sin >folder.out 2>folder.err ||
  fail "a job with an unwritable log failed: $(cat folder.err)"
[ "$(head -n 1 folder.err)" = "Log: cannot write folder (it is a folder); the job goes on without its record" ] &&
  [ "$(tail -n 1 folder.err)" = "Log: 2 of 2 lines could not be written to folder (it is a folder)" ] ||
  fail "an unwritable log was not said at the start and the end: $(cat folder.err)"
row folder.out "$good" OK - -
# A FIFO (or a terminal, a port) as the log is refused without opening it.
mkfifo pipe
timeout 60 "$CLI" write --port "$d" --log pipe f.sin >/dev/null 2>pipe.err ||
  fail "a job with a FIFO as its log: $(cat pipe.err)"
[ "$(head -n 1 pipe.err)" = "Log: cannot write pipe (not a regular file); the job goes on without its record" ] ||
  fail "a FIFO as the log: $(cat pipe.err)"

# torvan-cli log: the table, one port's rows, rows since a date, JSON; a
# line cut short is named and left out, and the next line stays whole.
expect 0 "" -- power --port "$d" --log log.csv low-low
expect 0 "" -- log log.csv
grep -qE '^TIME {23}COMMAND +PORT +PTT ID +RESULT +VERIFY +SECONDS +SHA-256 +FILE +DEVICE$' stdout ||
  fail "log's head: $(head -n 1 stdout)"
[ "$(wc -l <stdout)" = 11 ] || fail "log shows $(($(wc -l <stdout) - 1)) rows, not 10: $(cat stdout)"
grep -qE "^$time +write +$a +0099 +OK +OK +[0-9.]+ +$(sha a 0099 | head -c 12) +$work/f.sin +-\$" stdout ||
  fail "log's row of $a: $(cat stdout)"
grep -qE "^$time +power +$d +- +OK +- +[0-9.]+ +- +- +-\$" stdout || fail "no power row: $(cat stdout)"
expect 0 "" -- log --port "$d" log.csv
[ "$(grep -c " $d " stdout)" = 4 ] && [ "$(wc -l <stdout)" = 5 ] || fail "--port $d: $(cat stdout)"
expect 0 "" -- log --since 2000-01-01 log.csv
[ "$(wc -l <stdout)" = 11 ] || fail "--since 2000-01-01: $(cat stdout)"
for since in 2999-01-01 2999-01-01T00:00+01:00; do
  expect 0 "" -- log --since $since log.csv
  [ "$(wc -l <stdout)" = 1 ] || fail "--since $since: $(cat stdout)"
done
expect 2 "torvan-cli log: --since takes a date or a date and time (ISO 8601: 2026-12-07, 2026-12-07T14:00 or 2026-12-07T14:00+01:00), not 'yesterday'" \
  -- log --since yesterday log.csv
expect 0 "" -- log --json --port "$a" log.csv
python3 -c '
import json, sys
rows = json.load(open(sys.argv[1]))
assert [r["pttId"] for r in rows] == ["0099", "#9", "#9"], rows
assert rows[0]["verify"] == "OK" and rows[1]["verify"] is None, rows
assert rows[0]["file"] == sys.argv[2] + "/f.sin" and len(rows[0]["sha256"]) == 64, rows
assert all(isinstance(r["seconds"], float) for r in rows), rows
' stdout "$work" || fail "log --json: $(cat stdout)"
printf '2026-12-07T14:03:12+01:00,write,/dev/pts/9,,/x.sin,ab' >>log.csv
expect 0 "log.csv: line 12 is cut short (it has no line end); it is left out" -- log log.csv
[ "$(wc -l <stdout)" = 11 ] || fail "a line cut short hid others: $(cat stdout)"
expect 0 "" -- power --port "$d" --log log.csv low-low
expect 0 "log.csv: line 12 has 6 columns, not 10 (cut short?); it is left out" -- log log.csv
[ "$(wc -l <stdout)" = 12 ] || fail "the line after a cut one: $(cat stdout)"
printf '""\r\n' >>log.csv
expect 0 "log.csv: line 14 is damaged (no cells); it is left out" -- log log.csv
stop d good drop
finish
