# torvan-cli.exe on a Windows console under Wine (a pseudo-terminal of its
# own, see on-console.py): names beyond ASCII shown as they are, standard
# output in binary where bytes matter, no PDF onto a console, the progress
# redrawn in place, and Ctrl+C during a read of the simulated radio on a COM
# port.
. "$(dirname "$0")/wine-cli.sh"
console() { python3 "$here/on-console.py" "$@"; }

cli new Kanäle.sin 2>/dev/null
console --screen screen -- wine "$CLI_EXE" show Fehlt-ä.sin
grep -qF "Cannot open Fehlt-ä.sin: No such file or directory." screen ||
  fail "the console showed: $(cat screen)"

# Bytes on a redirected standard output are the file's bytes: the sheet's
# CR LF lines stay as they are, the PDF is whole.
cli export-csv Kanäle.sin Kanäle.csv
cli export-csv Kanäle.sin - >piped.csv
cmp Kanäle.csv piped.csv >cmp.out 2>&1 || fail "export-csv - differs from its file: $(cat cmp.out)"
cli print Kanäle.sin Kanäle.pdf
cli print Kanäle.sin - >piped.pdf
[ "$(stat -c %s piped.pdf)" = "$(stat -c %s Kanäle.pdf)" ] || fail "print - wrote another PDF"
# A PDF is refused on a console, not on the NUL device.
console -- wine "$CLI_EXE" print Kanäle.sin - 2>err
status=$?
[ $status = 2 ] && grep -q "standard output is a terminal" err ||
  fail "print - onto a console: exit $status, $(cat err)"
cli print Kanäle.sin - >/dev/null || fail "print - onto NUL failed"

# Ctrl+C during a read stops it at the next block: exit 130, the message,
# no file. The port is free again at once: the next read of the same radio
# succeeds, with its progress redrawn on the console, and keeps its copy in
# %LOCALAPPDATA%.
sim radio --pace
port=COM8
ln -sfn "$radio" "$WINEPREFIX/dosdevices/${port,,}"
console --ctrl-c-when err "Read data: 10%" -- wine "$CLI_EXE" read --port $port out.sin 2>err
status=$?
[ $status = 130 ] || fail "Ctrl+C: exit $status, not 130 ($(cat err))"
grep -q "^Interrupted: nothing was saved." err || fail "Ctrl+C said: $(cat err)"
[ ! -e out.sin ] || fail "an interrupted read left out.sin"
mkdir -p "$local_data"
ls "$local_data" >copies.before
console --screen screen -- wine "$CLI_EXE" read --port $port out.sin
status=$?
[ $status = 0 ] && [ -s out.sin ] || fail "the read after Ctrl+C: exit $status, $(cat screen)"
grep -q "Read data \[#*\] 100%" screen && ! grep -q "Read data: 10%" screen ||
  fail "the console showed no redrawn progress: $(cat screen)"
copy=$(ls "$local_data" | comm -13 copies.before -)
[[ $copy == radio-read-*.sin ]] && cmp -s out.sin "$local_data/$copy" ||
  fail "no copy of the read in $local_data: '$copy'"
[ -z "$copy" ] || rm "$local_data/$copy"
rm -f "$WINEPREFIX/dosdevices/${port,,}"

finish
