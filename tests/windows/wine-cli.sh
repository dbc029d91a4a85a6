# Shared by the Windows build's shell tests of torvan-cli.exe: source it with
# the program in CLI_EXE (and the Linux simulator in SIM). It takes the
# helpers of tests/cli/expect.sh ($work, fail, sim, wait_for, finish) and
# runs the program under Wine, in this build's own Wine prefix unless one
# is given. Windows ends text lines in CR LF; the checks compare the lines
# without the CR.
for needed in CLI_EXE BUILD_DIR SOURCE_DIR; do
  [ -n "${!needed:-}" ] || { echo "$needed is not set (run through ctest)" >&2; exit 2; }
done
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wine} WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
. "$SOURCE_DIR/tests/cli/expect.sh"
cd "$work" || exit 1
here=$SOURCE_DIR/tests/windows

cli() { wine "$CLI_EXE" "$@"; }

# expect STATUS STDERR-LINE -- ARGUMENTS...: as tests/cli/expect.sh's.
expect() {
  local status=$1 line=$2
  shift 3
  local err got
  err=$(cli "$@" 2>&1 >"$work/stdout" | tr -d '\r'; exit "${PIPESTATUS[0]}")
  got=$?
  [ "$got" = "$status" ] || fail "torvan-cli $*: exit $got, not $status ($err)"
  if [ -z "$line" ]; then
    [ -z "$err" ] || fail "torvan-cli $*: said '$err'"
  else
    grep -qxF -- "$line" <<<"$err" || fail "torvan-cli $*: said '$err', not '$line'"
  fi
}

# The user's folders of the Wine prefix, as the known folders name them.
user_folder=$(echo "$WINEPREFIX"/drive_c/users/"$(id -un)")
roaming="$user_folder/AppData/Roaming/Torvan PC Encoder"
local_data="$user_folder/AppData/Local/Torvan PC Encoder"
