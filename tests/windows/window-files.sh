# torvan-encoder.exe under Wine on an X server of its own opens a channel
# file whose name goes beyond ASCII (from its command line, as a double
# click passes it) and saves it back in one step (Ctrl+S: a new file put in
# its place, the same bytes, nothing left beside it).
. "$(dirname "$0")/wine-cli.sh"

printf '%s\n' '<alt>Tab=next' 'f11=fullscreen' >keys
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>display 2>/dev/null &
until [ -s display ]; do sleep 0.05; done
export DISPLAY=:$(cat display)
# Wine's desktop keeps the display of the session's first program: one
# started without a display (a command-line test just before) has none.
wineserver -w
cli new Kanäle.sin 2>/dev/null
cp Kanäle.sin before.sin
inode=$(stat -c %i Kanäle.sin)
matchbox-window-manager -use_titlebar yes -kbdconfig keys 2>/dev/null &
wine "$ENCODER_EXE" Kanäle.sin >/dev/null 2>&1 &
window=$!
shown=$(timeout 60 xdotool search --sync --name "^Torvan PC Encoder$")
xdotool windowfocus "$shown" 2>/dev/null
sleep 1
kill -0 $window 2>/dev/null || fail "the window did not open Kanäle.sin"
xdotool key ctrl+s
for _ in $(seq 100); do [ "$(stat -c %i Kanäle.sin)" != "$inode" ] && break; sleep 0.1; done
[ "$(stat -c %i Kanäle.sin)" != "$inode" ] || fail "Ctrl+S did not save Kanäle.sin"
cmp -s Kanäle.sin before.sin || fail "the saved Kanäle.sin holds other bytes"
[ "$(ls | grep -c sin)" = 2 ] || fail "the save left files: $(ls)"
kill $window

finish
