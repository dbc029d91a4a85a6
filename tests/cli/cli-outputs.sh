# What torvan-cli does with the files and streams it writes: outputs it must
# not replace, and writes that fail. Needs CLI.
. "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
"$CLI" new a.sin && "$CLI" export-csv a.sin s.csv || { echo "cannot set up" >&2; exit 1; }
cp a.sin kept.sin

# The channel plan as a PDF, without a word from Qt on standard error.
expect 0 "" -- print --paper letter a.sin plan.pdf
expect 0 "" -- print a.sin -
[ "$(head -c 5 plan.pdf)$(head -c 5 stdout)" = %PDF-%PDF- ] || fail "print wrote no PDF"
expect 2 "torvan-cli print: unknown paper 'a5' (--paper takes a4 or letter)" -- print --paper a5 a.sin x.pdf

# A FIFO, also behind a link, is refused before any work (for read, before
# the port opens) and is not replaced.
mkfifo fifo && ln -s fifo fifo-link
for args in "export-csv a.sin fifo" "import-csv a.sin s.csv fifo" "new fifo-link" \
            "read --port none fifo" "print a.sin fifo"; do
  expect 1 "Cannot save ${args##* }: not a regular file." -- $args
done
[ -p fifo ] || fail "the FIFO was replaced"
# Standard output, named by a path, would be swapped for a new file.
ln -s /proc/self/fd/1 own-stdout
expect 1 "Cannot save own-stdout: it is this program's standard output." -- \
  export-csv a.sin own-stdout
expect 0 "" -- export-csv a.sin -
cmp -s stdout s.csv || fail "export-csv - did not print the sheet"

# An output that is one of the inputs, under any name.
ln -s a.sin alias.sin && ln s.csv hard.csv
expect 1 "Cannot save alias.sin: it is also an input." -- export-csv a.sin alias.sin
expect 1 "Cannot save hard.csv: it is also an input." -- import-csv a.sin s.csv hard.csv
cmp -s a.sin kept.sin && [ "$(head -c 2 hard.csv)" = CH ] || fail "an input was overwritten"

# A file-size limit of 1 KiB fails saves and standard output part-way, as a
# full disk does. (The checks' own messages go through a pipe, which has no
# size limit.)
limited() {
  (ulimit -f 1; failures=0; expect "$@"; exit "$failures") 2>&1 | cat >&2 ||
    failures=$((failures + 1))
}
truncate -s 4096 zero.sin
limited 1 "Cannot save big.sin: File too large." -- new big.sin
limited 1 "Cannot write standard output: File too large." -- show --json kept.sin
limited 2 "Cannot write standard output: File too large." -- diff kept.sin zero.sin
for left in *.saving-* big.sin; do [ -e "$left" ] && fail "a failed save left $left"; done
finish
