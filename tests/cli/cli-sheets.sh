# import-csv and export-csv as a dealer meets them, through the built program:
# one representative message and exit status for each kind of report.
. "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
"$CLI" new new.sin || fail "new"
own='CH,Rx Frequency,Tx Frequency,Rx Code,Tx Code,Busy Lock,Tx Power,Bandwidth,Scan Add,PTT ID,Name'
common='Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Power'

expect 2 "torvan-cli import-csv: unknown format 'bogus' (--format takes own or common)" \
  -- import-csv --format bogus new.sin x.csv out.sin
mkdir folder; : >empty.csv
expect 1 "Cannot read none.csv: No such file or directory." -- import-csv new.sin none.csv out.sin
expect 1 "Cannot read folder: it is a folder." -- import-csv new.sin folder out.sin
expect 1 "Cannot read empty.csv: it is empty." -- import-csv new.sin empty.csv out.sin

printf 'CH;Rx Frequency;Name\r\n1;145.5;A\r\n' >semi.csv
expect 1 'semi.csv: the header row has no column "CH"; it reads "CH;Rx Frequency;Name" as one column: columns must be separated by commas, not semicolons' \
  -- import-csv new.sin semi.csv out.sin
printf '%s\r\n1,145.5,,CTCSS:66.9,None,Off,High,Wide,Yes,Off,A\r\n' "$own" >tone.csv
expect 1 'tone.csv: line 2, Rx Code: refused: "CTCSS:66.9" is not in the radio'"'"'s CTCSS list' \
  -- import-csv new.sin tone.csv out.sin
printf '%s\r\n1,145.5,,None,None,Off,High,Wide,Yes,Off,"A\033\nB\303"\r\n' "$own" >raw.csv
expect 1 'raw.csv: line 2, Name: would change (--fix takes it): "\x1B\x0A\xC3" dropped (not in the radio'"'"'s alphabet: A-Z, 0-9, - and space): "AB"' \
  -- import-csv new.sin raw.csv out.sin
expect 0 "" -- import-csv --fix new.sin raw.csv fixed.sin
grep -qF 'raw.csv: line 2, Name: fixed: ' stdout && "$CLI" show fixed.sin | grep -qE ' AB$' ||
  fail "--fix did not store the corrected name: $(cat stdout)"
printf '%s\r\n1,FAR,146.94,split,1146.94,,,\r\n' "$common" >far.csv
expect 1 "far.csv: line 2, Offset: refused: transmit frequency 1146.94000 MHz is outside the file's band 136-174 MHz" \
  -- import-csv new.sin far.csv out.sin
[ ! -e out.sin ] || fail "a refused sheet wrote out.sin"

# A repeater directory's list: Location from 0, power in watts.
printf '%s\r\n0,HILL,145.6,-,0.6,Tone,88.5,5.0W\r\n2,TOWN,145.5,,,,,0.5W\r\n' "$common" >list.csv
expect 0 "" -- import-csv new.sin list.csv list.sin
printf 'list.csv: Location counts from 0: Location 0 is channel 1\nlist.csv: Power in watts: below 3 W is Low, 3 W and more High\n' |
  cmp -s - stdout || fail "import of list.csv said '$(cat stdout)'"

# An empty Busy Lock cell gives a new channel Off, said once; never a code
# outside the list.
printf '%s\r\n1,145.5,,None,None,,High,Wide,Yes,Off,A\r\n' "$own" >nobusy.csv
expect 0 "" -- import-csv new.sin nobusy.csv nobusy.sin
grep -qxF "nobusy.csv: Busy Lock left empty: Off, as for a new channel, for channel 1" stdout ||
  fail "the empty Busy Lock was taken without a word: '$(cat stdout)'"
"$CLI" show --json nobusy.sin | grep -qF '"Busy Lock": "Off"' || fail "the empty Busy Lock stored no Off"

# Odd stored digits reading 1000 MHz or more are not exported as another
# frequency in the common layout.
cp new.sin damaged.sin
printf '\000\120\105\241' | dd of=damaged.sin bs=1 conv=notrunc 2>/dev/null
expect 1 "damaged.sin: channel 1: Rx Frequency 1014.55000 reads from damaged digits (1000 MHz or more); correct the channel first" \
  -- export-csv --format common damaged.sin damaged.csv
[ ! -e damaged.csv ] || fail "a refused export wrote damaged.csv"

# Busy Lock and PTT ID survive a round trip through the common layout.
printf '%s\r\n1,145.5,,None,None,Tone,High,Wide,Yes,Both,A\r\n' "$own" >busy.csv
expect 0 "" -- import-csv new.sin busy.csv busy.sin
expect 0 "" -- export-csv --format common busy.sin back.csv
expect 0 "" -- import-csv busy.sin back.csv again.sin
grep -qxF "back.csv: Busy Lock and PTT ID (not in this layout) kept from the base file for channel 1" stdout ||
  fail "the round trip said '$(cat stdout)'"
cmp -s busy.sin again.sin || fail "a round trip through the common layout changed the file"

# A model name that a Windows editor saved in its own code page.
mkdir bin && cp "$CLI" bin/torvan-cli
printf '[Setup]\r\nType0=Other\r\nField0=136-174MHz\r\nType1=Mod\350le\r\nField1=136-174MHz\r\n' >bin/Program.ini
cp bin/Program.ini ini.before
printf '\001' | dd of=new.sin bs=1 seek=$((0xFD3)) conv=notrunc 2>/dev/null
bin/torvan-cli show --json new.sin >show.json || fail "show --json"
iconv -f UTF-8 -t UTF-8 show.json >/dev/null 2>&1 || fail "show --json wrote text that is not UTF-8"
grep -qF '"Model": "Modèle"' show.json || fail "show --json: $(grep Model show.json)"
bin/torvan-cli import-csv new.sin busy.csv saved.sin >/dev/null && bin/torvan-cli show saved.sin |
  grep -qxF "Model: Modèle" || fail "the saved file shows another model"
cmp -s bin/Program.ini ini.before || fail "Program.ini changed"
finish
