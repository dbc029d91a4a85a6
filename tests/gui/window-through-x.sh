#!/usr/bin/env bash
# The window as a user meets it on a virtual X display with a window
# manager, keys sent through the X server (xdotool):
#   window-through-x.sh ENCODER SIMULATOR CLI GUI-TESTS [SHOTS-FOLDER]
# - New and Open ask before they throw away unsaved changes: Escape keeps
#   them, Enter saves (Save As for a new document) and goes on, Discard goes
#   on; after a save, and for a file whose odd bytes the form stores
#   otherwise, nothing is asked;
# - pages 2-3 printed to a PDF, another file opened, Ctrl+P and Enter: the
#   new PDF holds all pages;
# - Edit > Power against a silent radio shows a message before it closes;
# - Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z undo and redo a setting picked, and in
#   the password field Ctrl+Z undoes its own typing;
# - at QT_SCALE_FACTOR=2 every list shows its longest entry, and a Write
#   and a Power failure say what the Qt Test rows expect (their own cases
#   run under this X server).
# SHOTS-FOLDER, when given, receives screenshots to look at.
set -euo pipefail
ENCODER=$1 SIMULATOR=$2 cli=$3 guitests=$4 shots=${5:-}
. "$(dirname "$0")/x-test-setup.sh"
# COM1 leads to the simulated radio.
printf '%s\n' '[Setup]' 'COM=COM1' 'Type0=VHF Standard' 'Field0=136-174MHz' '[Ports]' \
  "COM1=$work/radio" >"$work/bin/Program.ini"

# Two files of 128 channels (four printed pages), and one whose STE byte
# the form stores otherwise (0x7F is kept as 0x7C).
"$cli" new "$work/blank.sin" >/dev/null
for name in A B; do
  {
    echo "CH,Rx Frequency,Tx Frequency,Rx Code,Tx Code,Busy Lock,Tx Power,Bandwidth,Scan Add,PTT ID,Name"
    for ch in $(seq 1 128); do echo "$ch,145.00000,145.00000,None,None,Off,High,Wide,Yes,Off,$name$ch"; done
  } >"$work/$name.csv"
  "$cli" import-csv "$work/blank.sin" "$work/$name.csv" "$work/$name.sin" >/dev/null
done
cp "$work/A.sin" "$work/A.orig"
cp "$work/B.sin" "$work/odd.sin"
printf '\177' | dd of="$work/odd.sin" bs=1 seek=$((0x811)) conv=notrunc 2>/dev/null

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
work=$1 guitests=$2 shots=$3
step=start
fail() { echo "FAIL at $step: $*" >&2; shot failed; exit 1; }
shot() { [ -z "$shots" ] || import -window root "$shots/$1.png"; }
windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
# Waits until COUNT windows are named TITLE (the message boxes carry the
# main window's title).
wait_windows() {
  local end=$((SECONDS + ${3:-15}))
  until [ "$(windows "$1")" -eq "$2" ]; do
    [ "$SECONDS" -lt "$end" ] || fail "not $2 window(s) named '$1'"
    sleep 0.1
  done
  sleep 0.3 # the new window takes the keyboard
}
keys() { xdotool key --delay 120 "$@"; }
type_text() { xdotool type --delay 30 "$1"; }
# The password bytes of a file, as digits.
password() { dd if="$1" bs=1 skip=$((0x840)) count=6 2>/dev/null | tr -d '\377'; }
wait_for() {
  local end=$((SECONDS + 15))
  until eval "$1"; do
    [ "$SECONDS" -lt "$end" ] || fail "$1"
    sleep 0.1
  done
}
# A file dialog: the path typed into its name field, then Enter.
choose_file() {
  wait_windows "$1" 1
  keys ctrl+a
  type_text "$2"
  keys Return
  wait_windows "$1" 0
}
# Prints through the print dialog to $work/print.pdf; KEYS go to the
# dialog before Enter.
print_pdf() {
  rm -f "$work/print.pdf"
  keys ctrl+p
  wait_windows Print 1
  [ $# -eq 0 ] || keys "$@"
  shot "print-dialog-$#"
  keys Return
  wait_windows Print 0
  wait_for 'pdfinfo "$work/print.pdf" >/dev/null 2>&1'
  pdftotext "$work/print.pdf" - | grep -o 'Page [0-9]* of [0-9]*' | xargs
}

matchbox-window-manager -use_titlebar yes -kbdconfig "$work/keys" & # ends with the display
# COM1 leads to a radio that never answers.
coproc SIM { exec "$work/bin/torvan-radio-sim" --silent --link "$work/radio"; }
echo "$SIM_PID" >>"$work/pids"
read -r _ <&"${SIM[0]}"
QT_QPA_PLATFORM=xcb "$work/bin/torvan-encoder" "$work/A.sin" &
pid=$!
echo "$pid" >>"$work/pids"
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Torvan PC Encoder$' | head -n 1)
xdotool windowactivate --sync "$window"
sleep 0.5

step="password typed, New, Escape, Save"
keys Tab Tab Tab Tab Tab # the fifth field: Password
type_text 4321
keys ctrl+n
wait_windows 'Torvan PC Encoder' 2
shot unsaved-question
keys Escape
wait_windows 'Torvan PC Encoder' 1
keys ctrl+s
wait_for '[ "$(password "$work/A.sin")" = 4321 ]'

step="New after a save, then Enter on the question saves as"
keys ctrl+n
type_text 77 # a new document's empty password
keys ctrl+n
wait_windows 'Torvan PC Encoder' 2
keys Return
choose_file 'Save As' "$work/new.sin"
wait_for '[ "$(password "$work/new.sin")" = 77 ]'

step="Discard, then Open a file with odd bytes: New asks nothing"
type_text 55
keys ctrl+o
wait_windows 'Torvan PC Encoder' 2
keys Tab Return # Save, Discard, Cancel
choose_file Open "$work/odd.sin"
keys ctrl+n
keys ctrl+s # untitled: Save As, unless a question took the keys
wait_windows 'Save As' 1
keys Escape
wait_windows 'Save As' 0
[ "$(password "$work/new.sin")" = 77 ] || fail "Discard saved"

step="pages 2-3 printed"
keys ctrl+o
choose_file Open "$work/B.sin"
# Options, the output file, three fields on to "Print all", "Pages from"
# below it, from 2 to 3.
pages=$(print_pdf alt+o alt+f Tab Tab Tab Down Tab 2 Tab 3)
[ "$pages" = "Page 2 of 4 Page 3 of 4" ] || fail "printed $pages"

step="another file, Ctrl+P, Enter"
keys ctrl+o
choose_file Open "$work/A.sin"
pages=$(print_pdf alt+o) # Options shown for the screenshot
[ "$pages" = "Page 1 of 4 Page 2 of 4 Page 3 of 4 Page 4 of 4" ] || fail "printed $pages"

step="Power against a silent radio"
keys alt+e Down Down Return
wait_windows Power 1
keys space # Low Low
wait_windows 'Torvan PC Encoder' 2
shot power-silent
keys Return
wait_windows Power 0

# Ctrl+S and wait until the file was replaced (a save renames a new file
# over it), so that what follows reads the saved bytes.
save() {
  local inode
  inode=$(stat -c %i "$work/A.sin")
  keys ctrl+s
  wait_for "[ \"\$(stat -c %i '$work/A.sin')\" != $inode ]"
}
same() { cmp -s "$work/A.sin" "$work/$1" || fail "A.sin is not $1"; }

step="undo and redo of a setting with the window's keys"
save
cp "$work/A.sin" "$work/before.sin"
keys Tab Down # from the password to Priority Channel, the next one picked
keys ctrl+z
save
same before.sin
keys ctrl+y
save
cmp -s "$work/A.sin" "$work/before.sin" && fail "Ctrl+Y did not redo"
cp "$work/A.sin" "$work/after.sin"
keys ctrl+z ctrl+shift+z
save
same after.sin

step="Ctrl+Z in the password field undoes its typing, not a step"
keys shift+Tab
type_text 9
keys ctrl+z Tab
save
same after.sin

step="File > Exit"
keys alt+f x
wait_windows Prompt 1
keys Return
wait "$pid"
kill "$SIM_PID"

step="lists and radio messages at scale 2"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$guitests" MainFrameTest listsShowTheirLongestEntry \
  >"$work/scale.log" 2>&1 || { cat "$work/scale.log" >&2; fail "lists cut at scale 2"; }
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$guitests" RadioDialogsTest \
  "faultThroughTheWindow:Write" "faultThroughTheWindow:Write, pulled cable" \
  "faultThroughTheWindow:Power, silent radio" >"$work/radio.log" 2>&1 ||
  { cat "$work/radio.log" >&2; fail "radio messages"; }
if [ -n "$shots" ]; then
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$work/bin/torvan-encoder" &
  pid=$!
  echo "$pid" >>"$work/pids"
  timeout 30 xdotool search --sync --onlyvisible --name '^Torvan PC Encoder$' >/dev/null
  sleep 1
  shot scale-2
  kill "$pid"
fi
SESSION

for attempt in ${ATTEMPTS:-1 2 3}; do
  # A busy machine can outrun typed keys; a session is tried again.
  if timeout 240 xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "$work/session.sh" "$work" "$guitests" "$shots"; then
    echo "window flows through the X server"
    exit 0
  fi
  end_started
  cp "$work/A.orig" "$work/A.sin" # the first step saved over it
  rm -f "$work/new.sin"
done
exit 1
