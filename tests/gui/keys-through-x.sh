#!/usr/bin/env bash
# The window's menu keys as a user types them: a virtual X display with a
# window manager, keys sent through the X server (xdotool), not toolkit
# events. keys-through-x.sh ENCODER SIMULATOR
#   Alt+P opens Program (its Read shows "Read data"); Alt+P twice opens Port
#   (COM3 chosen is stored on exit); F10 opens the menu bar from the start;
#   in Edit > Power a step past 255 or below 0 leaves the radio's value
#   (254 and 1 after the steps below; wrapping would leave 0 and 255).
# The window manager is told to leave Alt+letter keys alone: its default
# bindings (Alt+P for "previous window") would take them before any program
# sees them.
set -euo pipefail
ENCODER=$1 SIMULATOR=$2
. "$(dirname "$0")/x-test-setup.sh"
# COM1 leads to the simulated radio.
printf '%s\n' '[Setup]' 'COM=COM1' '[Ports]' "COM1=$work/radio" >"$work/bin/Program.ini"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
work=$1
matchbox-window-manager -use_titlebar yes -kbdconfig "$work/keys" &
# Low Low at 255, Low High at 0; the memory is saved when it is stopped.
coproc SIM { exec "$work/bin/torvan-radio-sim" --tuning 255,0,1,2,3,4 --link "$work/radio" \
                 --save "$work/radio.sin"; }
echo "$SIM_PID" >>"$work/pids"
read -r _ <&"${SIM[0]}"
QT_QPA_PLATFORM=xcb "$work/bin/torvan-encoder" &
pid=$!
echo "$pid" >>"$work/pids"
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Torvan PC Encoder$' | head -n 1)
xdotool windowactivate --sync "$window"
type_keys() {
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.6   # a menu opens before the next key, as for a person
  done
}
# Program's first item is Read: its dialog appears; Escape leaves it.
opens_read() {
  type_keys "$@"
  timeout 10 xdotool search --sync --onlyvisible --name '^Read data$' >/dev/null ||
    { echo "FAIL: $* did not reach Program > Read" >&2; exit 1; }
  type_keys Escape
}
opens_read alt+p Return
opens_read F10 Right Right Return
# Edit > Power: Low Low (255) two steps right, one left; Low High (0) the
# other way round. Each key is a gesture of its own.
type_keys alt+e Down Down Return space Right Right Left Escape
type_keys alt+e Down Down Return Tab space Left Left Right Escape
type_keys alt+p alt+p Down Down Return   # Port > COM3 (COM1 is highlighted)
type_keys alt+f x Return                      # File > Exit, Yes
wait "$pid"
kill "$SIM_PID"
wait "$SIM_PID" || true
SESSION

for attempt in 1 2 3; do
  # A busy machine can outrun typed keys; a session is tried again.
  if timeout 90 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/session.sh" "$work"; then
    tuning=$(od -An -tu1 -j $((0xFF8)) -N2 "$work/radio.sin" | xargs)
    [ "$tuning" = "254 1" ] || { echo "FAIL: power tuning past its ends gave $tuning" >&2; exit 1; }
    grep -qx 'COM=COM3' "$work/bin/Program.ini" && { echo "menus reached by keys"; exit 0; }
    echo "FAIL: Alt+P twice did not choose from Port: $(cat "$work/bin/Program.ini")" >&2
  fi
  end_started
done
exit 1
