#!/usr/bin/env bash
# The window under Wine as a Windows user meets it (environment from
# tests/windows/CMakeLists.txt: ENCODER_EXE, BUILD_DIR, SIM, LINUX_CLI):
# torvan-encoder.exe on a virtual X display with a window manager, COM1 a
# Wine COM port leading to the Linux simulated radio, keys sent through the
# X server (xdotool). Port > COM1 is chosen with keys, Program > Read
# (Ctrl+R, Start) reads the radio, File > Save As saves it: the file is the
# radio's memory byte for byte, and the Linux build shows it as it shows
# the radio's own memory.
#   window.sh [SCREENSHOT.png]: also keeps a picture of the screen after the
#   Read; docs/images/windows-main-window.png is made so.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wine} WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
shot=${1:-}
work=$(mktemp -d)
end_started() {
  [ -f "$work/pids" ] || return 0
  while read -r pid; do kill "$pid" 2>/dev/null || true; done <"$work/pids"
  rm -f "$work/pids"
}
# COM1 leads to the simulated radio: Wine's own setting for it, as its
# COM1 to COM4 are otherwise made anew from the serial ports at each start.
ports='HKLM\Software\Wine\Ports'
release_com1() {
  wine reg delete "$ports" /v COM1 /f >/dev/null 2>&1 || true
  [ "$(readlink "$WINEPREFIX/dosdevices/com1")" != "$work/radio" ] || rm -f "$WINEPREFIX/dosdevices/com1"
}
# Wine has no Tahoma of its own here (fonts-wine), and a serif font would
# stand in for it: the window and the system's dialogs get a sans-serif font,
# as on Windows, for this test only.
fonts='HKCU\Software\Wine\Fonts\Replacements'
ui_fonts() {  # add | delete
  local face
  for face in Tahoma 'MS Shell Dlg'; do
    if [ "$1" = add ]; then
      wine reg add "$fonts" /v "$face" /d 'DejaVu Sans' /f >/dev/null
    else
      wine reg delete "$fonts" /v "$face" /f >/dev/null 2>&1 || true
    fi
  done
}
trap 'end_started; release_com1; ui_fonts delete; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -f "$WINEPREFIX/system.reg" ] || { wineboot --init >/dev/null 2>&1; wineserver --wait; }
ui_fonts add
wine reg add "$ports" /v COM1 /d "$work/radio" /f >/dev/null
# A Wine session started without a display (by a test before, or just now)
# would keep the window from showing on the virtual one: its server ends
# first, by itself, a few seconds after its last program.
wineserver --wait
# The program keeps Program.ini beside itself: a copy of its own.
mkdir "$work/bin"
cp "$ENCODER_EXE" "$work/bin/torvan-encoder.exe"

# A dealer's fleet file: the radio's memory, with named channels to show.
"$LINUX_CLI" new "$work/blank.sin" >/dev/null
{
  echo "CH,Rx Frequency,Tx Frequency,Rx Code,Tx Code,Busy Lock,Tx Power,Bandwidth,Scan Add,PTT ID,Name"
  printf '%s\n' DISPATCH YARD GATE SECURITY MAINT SHIPPING OFFICE SITE-2 CRANE FORKLIFT STORES \
    MEDIC TRAINING PARKING LOADING NIGHT EVENTS SPARE-1 SPARE-2 TALK-AR |
    awk '{
      rx = sprintf("%.5f", 151.625 + (NR - 1) * 0.0125)
      split("67.0 71.9 77.0 82.5 88.5 94.8 100.0 107.2 114.8 123.0 131.8 141.3", tones)
      code = NR % 4 == 0 ? "None" : "CTCSS:" tones[NR % 12 + 1]
      print NR "," rx "," rx "," code "," code ",Off," (NR % 5 ? "High" : "Low") "," \
        (NR % 3 ? "Wide" : "Narrow") ",Yes,Off," $1
    }'
} >"$work/fleet.csv"
"$LINUX_CLI" import-csv --fix "$work/blank.sin" "$work/fleet.csv" "$work/fleet.sin" >/dev/null

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
work=$1 shot=$2 sim=$3
fail() { echo "FAIL: $*" >&2; import -window root "${BUILD_DIR:-$work}/windows-window-failed.png" || true; exit 1; }
keys() {
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.8 # Wine's menus open before the next key, as for a person
  done
}
windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
wait_windows() {
  local end=$((SECONDS + ${3:-30}))
  until [ "$(windows "$1")" -eq "$2" ]; do
    [ "$SECONDS" -lt "$end" ] || fail "not $2 window(s) named '$1'"
    sleep 0.2
  done
  sleep 0.5 # the new window takes the keyboard
}
printf '%s\n' '<alt>Tab=next' 'f11=fullscreen' >"$work/wm-keys"
matchbox-window-manager -use_titlebar yes -kbdconfig "$work/wm-keys" &
coproc SIM { exec "$sim" --load "$work/fleet.sin" --save "$work/radio.sin" --link "$work/radio"; }
echo "$SIM_PID" >>"$work/pids"
read -r _ <&"${SIM[0]}"

(cd "$work/bin" && exec wine torvan-encoder.exe) &
encoder=$!
echo "$encoder" >>"$work/pids"
window=$(timeout 90 xdotool search --sync --onlyvisible --name '^Torvan PC Encoder$' | head -n 1)
xdotool windowactivate --sync "$window"
sleep 2

keys alt+p alt+p Return # Port, its first entry: COM1
keys ctrl+r
wait_windows 'Read data' 1
keys Return # Start
wait_windows 'Read data' 0 60
sleep 1
[ -z "$shot" ] || import -window root "$shot"

keys alt+f a # File > Save As
wait_windows 'Save As' 1
keys ctrl+a
xdotool type --delay 40 "Z:${work//\//\\}\\saved.sin"
keys Return
wait_windows 'Save As' 0
until [ -s "$work/saved.sin" ]; do sleep 0.2; done

keys alt+f x Return # File > Exit, Yes
wait "$encoder"
kill "$SIM_PID"
wait "$SIM_PID" || true
rm -f "$work/pids" # all ended: their PIDs may be others' by now
SESSION

# A busy machine can outrun typed keys; a session is tried once more.
for attempt in 1 2; do
  rm -f "$work/saved.sin" "$work/radio.sin"
  printf '%s\r\n' '[Setup]' 'COM=COM2' 'Type0=VHF Standard' 'Field0=136-174MHz' >"$work/bin/Program.ini"
  timeout 240 xvfb-run -a -s "-screen 0 1280x800x24" \
    bash "$work/session.sh" "$work" "$shot" "$SIM" && break
  end_started
  [ "$attempt" = 1 ] || fail "the session did not end as typed"
  wineserver --wait
done
cmp "$work/saved.sin" "$work/radio.sin" || fail "the saved file is not the radio's memory"
cmp "$work/saved.sin" "$work/fleet.sin" || fail "the radio's memory changed"
diff <("$LINUX_CLI" show "$work/saved.sin") <("$LINUX_CLI" show "$work/radio.sin") ||
  fail "the Linux build reads the saved file otherwise"
grep -qx 'COM=COM1' <(tr -d '\r' <"$work/bin/Program.ini") || fail "COM1 was not stored"
echo "read through COM1 under Wine and saved: $(stat -c %s "$work/saved.sin") bytes"
