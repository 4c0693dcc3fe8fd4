#!/usr/bin/env bash
# The native clock end to end on X11: every test_* function of cases/*.sh,
# each in a shell of its own with its own Xvfb (and window manager or
# compositor where it needs one).
#
#   tests/x11/run-all.sh BUILD_DIR [PATTERN]    e.g. tests/x11/run-all.sh build/native 'close|title'
#
# Prints PASS/FAIL per test and "x11: N passed, N failed"; exits non-zero on
# any failure. X11_KEEP=1 keeps every test's folder (a failed one is kept anyway).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] || { echo "usage: tests/x11/run-all.sh BUILD_DIR [PATTERN]" >&2; exit 2; }
X11_BUILD=$(cd "$1" && pwd)
export X11_BUILD X11_PROGRAM="$X11_BUILD/src/app/gtk/quorvenda" X11_TRACE="$X11_BUILD/src/tools/quorvenda-trace"
pattern=${2:-.}
[ -x "$X11_PROGRAM" ] || { echo "x11: no program at $X11_PROGRAM" >&2; exit 2; }

passed=0
failed=0
started=$SECONDS
for cases in "$here"/cases/*.sh; do
  mapfile -t tests < <(bash -c 'source "$1"; declare -F' _ "$cases" | awk '$3 ~ /^test_/ { print $3 }')
  for test in "${tests[@]}"; do
    [[ $test =~ $pattern ]] || continue
    t0=$SECONDS
    # shellcheck disable=SC2016 # expanded by the inner shell
    if timeout --kill-after=5 "${X11_TEST_TIMEOUT:-180}" bash -c 'source "$1"; "$2"' _ "$cases" "$test"; then
      echo "PASS $test ($((SECONDS - t0)) s)"
      passed=$((passed + 1))
    else
      echo "FAIL $test ($((SECONDS - t0)) s)"
      failed=$((failed + 1))
    fi
  done
done
echo "x11: $passed passed, $failed failed, in $((SECONDS - started)) s"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
