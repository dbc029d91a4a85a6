# Shared by the window's X-server tests: source it with the encoder's and
# the simulator's paths in ENCODER and SIMULATOR. It makes a folder of the
# test's own ($work) with copies of both programs in $work/bin (so the
# window keeps its Program.ini there), a window-manager key file that grabs
# no Alt+letter ($work/keys), a home folder of its own, and ends what a
# session left running (one cut off by its time limit) by the process IDs it
# wrote to $work/pids, each only while it is still one of this test's
# programs.
work=$(mktemp -d)
trap 'end_started; rm -rf "$work"' EXIT

end_started() {
  [ -f "$work/pids" ] || return 0
  while read -r pid; do
    case $(readlink "/proc/$pid/exe" 2>/dev/null) in
      "$work"/bin/*) kill "$pid" 2>/dev/null || true ;;
    esac
  done <"$work/pids"
  rm -f "$work/pids"
}

mkdir "$work/bin"
cp "$ENCODER" "$work/bin/torvan-encoder"
cp "$SIMULATOR" "$work/bin/torvan-radio-sim"
# The window manager's default bindings (Alt+P for "previous window") would
# take the menu keys before the program sees them.
printf '%s\n' '<alt>Tab=next' 'f11=fullscreen' >"$work/keys"
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
# Leaks the X libraries keep until exit are theirs, not the program's.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
