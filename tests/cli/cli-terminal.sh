# Progress on terminals of every size: what the screen shows at the end
# tells every port's end, whatever the rows, the columns and the port names.
# Needs CLI and SIM (torvan-radio-sim) and python3 (for the terminal).
. "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
"$CLI" new f.sin || { echo "cannot set up" >&2; exit 1; }
on_pty() { python3 "$(dirname "$0")/on-pty.py" "$@"; }
for radio in a b c; do sim $radio; done
# Names as long as the stable ones under /dev/serial/by-id, which differ
# only in the cable's serial number.
mkdir -p serial/by-id
for radio in a b c; do
  long=$work/serial/by-id/usb-Torvan_Programming_Cable_0000${radio}-if00-port0
  ln -s "${!radio}" "$long"
  printf -v "long_$radio" %s "$long"
done

# ends SCREEN COLUMNS PATTERN...: for each port's label (PATTERN) one line
# that says done on the screen; no line is wider than the terminal.
ends() {
  local screen=$1 columns=$2 pattern
  shift 2
  for pattern in "$@"; do
    [ "$(grep -cE -- "$pattern +Write data: done$" "$screen")" = 1 ] ||
      fail "not one line of $pattern that says done, $columns columns: $(tail -n 8 "$screen")"
  done
  awk -v w="$columns" 'length($0) > w { exit 1 }' "$screen" ||
    fail "lines wider than $columns columns: $(tail -n 8 "$screen")"
}

# Room for every line: redrawn in place, cut to the width.
for columns in 80 60 40; do
  on_pty --rows 24 --cols $columns --screen wide.screen -- \
    "$CLI" write --port "$long_a" --port "$long_b" --port "$long_c" f.sin
  status=$?
  [ $status = 0 ] || fail "$columns columns: exit $status: $(cat wide.screen)"
  # What tells the ports apart stays when the names are cut.
  ends wide.screen $columns "a-if00[^ ]*" "b-if00[^ ]*" "c-if00[^ ]*"
done
# More ports than rows: plain lines, never moved over.
on_pty --rows 3 --cols 80 --screen low.screen -- \
  "$CLI" write --port "$a" --port "$b" --port "$c" f.sin
grep -q $'\e\\[' low.screen.raw && fail "cursor moved on 3 rows: $(head -c 300 low.screen.raw | cat -v)"
ends low.screen 80 "^$a" "^$b" "^$c"

# A terminal that takes no output (Ctrl+S) holds up the progress, not the
# radio: the write ends and the port is restored before output resumes.
sim paced --pace --save paced.mem
on_pty --suspend-until resume -- "$CLI" write --port "$paced" f.sin & held=$!
until [ "$(stty -g -F "$paced")" != "$paced_stty" ] || ! kill -0 $held 2>/dev/null; do
  sleep 0.05
done
for _ in $(seq 300); do
  [ "$(stty -g -F "$paced")" = "$paced_stty" ] && break
  sleep 0.1
done
restored paced
touch resume
wait $held; status=$?
[ $status = 0 ] || fail "write on a suspended terminal: exit $status, not 0"
stop a b c paced
cmp -n 3584 -s paced.mem f.sin || fail "the radio does not hold the write made on a suspended terminal"
finish
