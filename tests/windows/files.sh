# torvan-cli.exe's files under Wine, as a Windows user meets them: names
# with letters beyond ASCII, the names Windows keeps for its devices, the
# read-only attribute, outputs that are inputs, a full disk, links, and
# where Program.ini lives.
. "$(dirname "$0")/wine-cli.sh"

# A name beyond ASCII through every command that reads or writes a file.
expect 0 "" -- new Kanäle.sin
[ "$(stat -c %s Kanäle.sin 2>/dev/null)" = 4096 ] || fail "new Kanäle.sin: no such file: $(ls)"
expect 0 "" -- show Kanäle.sin
grep -q "^Model: " stdout || fail "show Kanäle.sin printed: $(cat stdout)"
expect 0 "" -- export-csv Kanäle.sin Kanäle.csv
expect 0 "" -- import-csv Kanäle.sin Kanäle.csv Kopie-ä.sin
cmp -s Kanäle.sin Kopie-ä.sin || fail "import-csv of Kanäle.csv changed the channels"
expect 0 "" -- print Kanäle.sin Kanäle.pdf
pdftotext Kanäle.pdf - | grep -qxF Kanäle.sin || fail "the plan's head does not name Kanäle.sin"

# A fleet read finds its folder by a name beyond ASCII.
mkdir Funkgeräte
err=$(cli read --port COM7 --port COM8 Funkgeräte 2>&1 | tr -d '\r')
[[ $err != *"no such folder"* ]] || fail "read into Funkgeräte said: $err"

# Windows' device names, in any case and with any extension, are refused
# before any work; nothing of that name appears.
for name in NUL con.sin COM1.csv lpt9.txt; do
  command=(new "$name")
  [[ $name == *.csv ]] && command=(export-csv Kanäle.sin "$name")
  expect 1 "Cannot save $name: it is a reserved device name on Windows." -- "${command[@]}"
  [ ! -e "$name" ] || fail "$name was written"
done

# A file with the read-only attribute is reported and kept as it was; no
# temporary file is left beside it.
cp Kanäle.csv kept.csv
wine cmd /c attrib +r kept.csv
before=$(ls | wc -l)
expect 1 "Cannot save kept.csv: it is read-only." -- export-csv Kopie-ä.sin kept.csv
cmp -s Kanäle.csv kept.csv || fail "the read-only kept.csv was changed"
[ "$(ls | wc -l)" = "$before" ] || fail "a save left files: $(ls)"

# An output that is an input under another name: a hard link, other letter
# case (one file on Windows).
ln Kanäle.sin hard.sin
expect 1 "Cannot save hard.sin: it is also an input." -- import-csv Kanäle.sin Kanäle.csv hard.sin
expect 1 "Cannot save KANäLE.sin: it is also an input." -- import-csv Kanäle.sin Kanäle.csv KANäLE.sin
cli export-csv Kanäle.sin same.csv >same.csv 2>err
status=$?
[ $status = 1 ] && grep -qF "Cannot save same.csv: it is this program's standard output." err ||
  fail "export-csv into its own standard output: exit $status, $(cat err)"
mkdir folder.sin
expect 1 "Cannot save folder.sin: it is a folder." -- new folder.sin

# A link is followed and its target written; the link stays.
mkdir real
printf 'old' >real/target.sin
ln -s real/target.sin link.sin
expect 0 "" -- new link.sin
[ -L link.sin ] && cmp -s real/target.sin Kanäle.sin || fail "the save did not go through link.sin"

# A full disk fails the save with the system's words and keeps the old file
# and no temporary file. As root the disk is a small file system of its own.
mkdir full
if mount -t tmpfs -o size=16k tmpfs full 2>/dev/null; then
  printf 'old' >full/radio.sin
  head -c 65536 /dev/zero >full/filler 2>/dev/null
  err=$(cli new full/radio.sin 2>&1 | tr -d '\r')
  [[ $err == "Cannot save full/radio.sin: "* ]] || fail "on a full disk new said: $err"
  [ "$(cat full/radio.sin)" = old ] && [ "$(ls full)" = "$(printf 'filler\nradio.sin')" ] ||
    fail "a full disk changed the folder: $(ls full)"
  umount full
else
  echo "note: full disk skipped (mounting needs root)"
fi

# Program.ini beside the executable, in a folder whose name is beyond ASCII;
# where that folder cannot be written, in %APPDATA%. (The read-only
# attribute does not keep files out of a folder on Windows, and Wine running
# as root writes anywhere: the read-only folder is a read-only mount.)
mkdir -p "Programme/Kanäle"
cp "$CLI_EXE" Programme/Kanäle/torvan-cli.exe
version=$(wine Programme/Kanäle/torvan-cli.exe --version | tr -d '\r')
[[ $version == *'\Programme\Kanäle\Program.ini' ]] || fail "--version said: $version"
[ -s Programme/Kanäle/Program.ini ] || fail "no Program.ini beside the executable"
rm Programme/Kanäle/Program.ini
if mount --bind Programme Programme 2>/dev/null && mount -o remount,ro,bind Programme; then
  had_roaming=$([ -e "$roaming/Program.ini" ] && echo yes)
  version=$(wine Programme/Kanäle/torvan-cli.exe --version | tr -d '\r')
  umount Programme
  [[ $version == *'\AppData\Roaming\Torvan PC Encoder\Program.ini' ]] ||
    fail "--version in a read-only folder said: $version"
  [ -s "$roaming/Program.ini" ] || fail "no Program.ini in $roaming"
  [ -n "$had_roaming" ] || rm -f "$roaming/Program.ini"
else
  echo "note: read-only program folder skipped (mounting needs root)"
fi

finish
