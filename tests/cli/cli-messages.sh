# What torvan-cli says on a terminal, through the built program: names with
# control bytes escaped, no PDF onto a terminal, an unreadable Program.ini.
. "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
"$CLI" new a.sin || { echo "cannot set up" >&2; exit 1; }

# A name holding ESC and CR is echoed escaped, on one line, wherever it goes.
bad=$'bad\e[31m\rred'
shown='bad\x1B[31m\x0Dred'
expect 1 "Cannot open $shown.sin: No such file or directory." -- show "$bad.sin"
expect 1 "Cannot save $shown/x.sin: the folder $shown does not exist." -- new "$bad/x.sin"
ln -s a.sin "$bad.sin"
expect 1 "Cannot save $shown.sin: it is also an input." -- export-csv a.sin "$bad.sin"
expect 2 "torvan-cli read: unknown option '-$shown' (see torvan-cli --help)" -- read --port COM1 "-$bad"
expect 1 "no serial device is known for the port name COM$shown" -- read --port "COM$bad" x.sin
expect 2 "torvan-cli write: /$shown and /$shown are the same device (/$shown); name each radio once" \
  -- write --port "/$bad" --port "/$bad" a.sin

# A PDF is binary: not onto a terminal.
script -qec "'$CLI' print a.sin -" /dev/null >tty.out 2>&1; status=$?
[ $status = 2 ] || fail "print onto a terminal: exit $status, not 2"
grep -qF "torvan-cli print: standard output is a terminal; name a file or redirect: torvan-cli print IN.sin - > plan.pdf" tty.out &&
  ! grep -qF "%PDF" tty.out || fail "print onto a terminal wrote: $(head -c 300 tty.out)"

# A Program.ini that exists but cannot be read: one warning per run, and the
# command still does its work.
mkdir bin && cp "$CLI" bin/torvan-cli && mkdir bin/Program.ini
warning="Warning: cannot read $PWD/bin/Program.ini: it is a folder; the model lists are empty."
for args in "new b.sin" "show a.sin" "print a.sin a.pdf" "diff a.sin a.sin"; do
  # shellcheck disable=SC2086 # one word per argument
  bin/torvan-cli $args >/dev/null 2>ini.err; status=$?
  [ $status = 0 ] && [ "$(cat ini.err)" = "$warning" ] ||
    fail "$args with a folder as Program.ini: exit $status, said '$(cat ini.err)'"
done
finish
