# Shared by the shell tests of the built torvan-cli: source it with the
# program's path in CLI (and the simulator's in SIM). Each check runs the
# program as a user would from a shell and compares its exit status and its
# standard error.
set -uo pipefail
work=$(mktemp -d)
# However the test ends, the background programs still running end, by PID
# (the shell's own jobs: none that has ended, whose PID may be another's).
trap 'kill $(jobs -pr) 2>/dev/null; chmod -R u+rwX "$work" 2>/dev/null; rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# expect STATUS STDERR-LINE -- ARGUMENTS...: the exit status, and a line of
# standard error (empty: nothing on standard error at all).
expect() {
  local status=$1 line=$2
  shift 3
  local err
  err=$("$CLI" "$@" 2>&1 >"$work/stdout")
  local got=$?
  [ "$got" = "$status" ] || fail "torvan-cli $*: exit $got, not $status ($err)"
  if [ -z "$line" ]; then
    [ -z "$err" ] || fail "torvan-cli $*: said '$err'"
  else
    grep -qxF -- "$line" <<<"$err" || fail "torvan-cli $*: said '$err', not '$line'"
  fi
}

# sim NAME OPTIONS...: a simulated radio in the background; sets $NAME to
# its device, ${NAME}_pid to its PID and ${NAME}_stty to the device's
# settings before any transfer.
sim() {
  local name=$1
  shift
  "$SIM" "$@" >"$work/$name.sim" &
  local pid=$!
  printf -v "${name}_pid" %s "$pid"
  until [ -s "$work/$name.sim" ] || ! kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  printf -v "$name" %s "$(head -n 1 "$work/$name.sim")"
  printf -v "${name}_stty" %s "$(stty -g -F "${!name}")"
}

# restored NAME: whether the device of radio NAME has its settings back.
restored() {
  local pty=${!1} before="${1}_stty"
  [ "$(stty -g -F "$pty")" = "${!before}" ] || fail "$1's port settings were not restored"
}

# stop NAME...: ends the simulated radios (which then save their memory).
stop() {
  local name pid
  for name in "$@"; do
    pid="${name}_pid"
    kill "${!pid}" 2>/dev/null
    wait "${!pid}"
  done
}

# wait_for PATTERN FILE PID: until a line of FILE matches PATTERN (grep -E)
# or the program PID ended.
wait_for() {
  until grep -qsE -- "$1" "$2" || ! kill -0 "$3" 2>/dev/null; do sleep 0.05; done
}

finish() {
  [ "$failures" = 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
  echo "all checks passed"
}
