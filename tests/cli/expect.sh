# Shared by the shell tests of the built torvan-cli: source it with the
# program's path in CLI. Each check runs the program as a user would from a
# shell and compares its exit status and its standard error.
set -uo pipefail
work=$(mktemp -d)
trap 'chmod -R u+rwX "$work" 2>/dev/null; rm -rf "$work"' EXIT
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

finish() {
  [ "$failures" = 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
  echo "all checks passed"
}
