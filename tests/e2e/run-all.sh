#!/usr/bin/env bash
# Runs every end-to-end test of the Windows program under Wine on Xvfb.
#
#   tests/e2e/run-all.sh WINDOWS_BUILD_DIR NATIVE_BUILD_DIR [NAME_REGEX]
#
# NAME_REGEX picks the tests to run; E2E_SKIP (a regex) leaves some out.
#
# WINDOWS_BUILD_DIR holds src/app/quorvenda.exe and the helpers of
# tests/e2e (MinGW build); NATIVE_BUILD_DIR holds tests/e2e/x-close-request
# and src/tools/quorvenda-trace, whose trace tells the dial tests what to see.
# One Wine prefix is made for the run; each test starts its own X server and
# stops it, and everything it started, when it ends. Prints a PASS or FAIL
# line per test and a summary; exits non-zero when any test fails. A failed
# test's folder (log, screenshots) is kept and its path printed; E2E_KEEP=1
# keeps every test's folder.
set -uo pipefail
# shellcheck source-path=SCRIPTDIR

if [ $# -lt 2 ]; then
  echo "usage: $0 WINDOWS_BUILD_DIR NATIVE_BUILD_DIR [NAME_REGEX]" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
E2E_WINDOWS_BUILD=$(cd "$1" && pwd) || exit 2
E2E_NATIVE_BUILD=$(cd "$2" && pwd) || exit 2
only=${3:-.}
export E2E_WINDOWS_BUILD E2E_NATIVE_BUILD

# shellcheck source=SCRIPTDIR/lib/harness.sh
source "$here/lib/harness.sh"
# shellcheck source=SCRIPTDIR/lib/dial.sh
source "$here/lib/dial.sh"
# shellcheck source=SCRIPTDIR/lib/countdown_lines.sh
source "$here/lib/countdown_lines.sh"
E2E_TESTS=()
E2E_BUILD_TESTS=" "
# e2e_test FUNCTION: registers a test; tests run in registration order.
e2e_test() { E2E_TESTS+=("$1"); }
# e2e_build_test FUNCTION: registers a test that only inspects the build, so
# it runs without a display or Wine.
e2e_build_test() {
  E2E_TESTS+=("$1")
  E2E_BUILD_TESTS+="$1 "
}
for cases in "$here"/cases/*.sh; do
  # shellcheck source=/dev/null
  source "$cases"
done

missing=()
for file in "$(e2e_program)" "$E2E_NATIVE_BUILD/tests/e2e/x-close-request" \
  "$E2E_NATIVE_BUILD/tests/e2e/e2e-facts" "$E2E_NATIVE_BUILD/src/tools/quorvenda-trace" "$E2E_FAKETIME_LIB" \
  "$E2E_CONVERT" "$E2E_COMPARE" "$E2E_IMPORT" "$E2E_WINDOWS_BUILD/tests/e2e/planted/e2e-planted.dll"; do
  [ -e "$file" ] || missing+=("$file")
done
for helper in e2e-minimal e2e-leaky marker gdicount repaint-storm client-rect dpi-changed dialog-text shadowed-text \
  text-extent hold-file save-storm turnover-times remote-load-library shift-jis-table-check; do
  [ -e "$(e2e_helper "$helper")" ] || missing+=("$(e2e_helper "$helper")")
done
for tool in wine wineserver wineboot Xvfb xdotool xwininfo xsetroot xprop iconv python3 x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  printf 'missing: %s\n' "${missing[@]}" >&2
  echo "build both presets and run scripts/setup.sh first" >&2
  exit 2
fi
if ! e2e_load_facts; then
  echo "e2e-facts failed" >&2
  exit 2
fi

run_dir=$(mktemp -d "${TMPDIR:-/tmp}/quorvenda-e2e.XXXXXX")
E2E_PREFIX=$run_dir/prefix
export E2E_PREFIX
finish_run() {
  local prefix
  for prefix in "$E2E_PREFIX" "$E2E_PREFIX"-dpi-*; do
    [ -d "$prefix" ] || continue
    wine_prefix_stop "$prefix"
    rm -rf "$prefix"
  done
  rmdir "$run_dir/tests" "$run_dir" 2>/dev/null
}
trap finish_run EXIT
trap 'exit 130' INT TERM

run_start=$(date +%s)
echo "e2e: creating the Wine prefix in $E2E_PREFIX"
if ! (e2e_create_prefix); then
  echo "FAIL prefix: wineboot could not create $E2E_PREFIX" >&2
  exit 1
fi
echo "e2e: prefix ready in $(($(date +%s) - run_start)) s"

E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-240}
passed=0
failed=0
for test in "${E2E_TESTS[@]}"; do
  [[ $test =~ $only ]] || continue
  [[ -z ${E2E_SKIP:-} || ! $test =~ $E2E_SKIP ]] || continue
  E2E_WORK=$run_dir/tests/$test
  mkdir -p "$E2E_WORK"
  test_start=$(date +%s%N)
  (
    set -eEu -o pipefail
    trap 'e2e_log "command failed at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR
    trap 'e2e_log "stopped after $E2E_TEST_TIMEOUT s" >&2; exit 124' TERM
    [[ $E2E_BUILD_TESTS == *" $test "* ]] || e2e_begin
    "$test"
  ) >"$E2E_WORK/log" 2>&1 &
  test_pid=$!
  # A hung test is stopped: first whatever it waits on, then the test, whose
  # EXIT trap still tears down its display and Wine processes.
  (
    sleep "$E2E_TEST_TIMEOUT"
    pkill -TERM -P "$test_pid"
    kill -TERM "$test_pid"
  ) >/dev/null 2>&1 &
  watchdog_pid=$!
  wait "$test_pid"
  status=$?
  kill "$watchdog_pid" 2>/dev/null
  wait "$watchdog_pid" 2>/dev/null
  seconds=$(awk -v ns=$(($(date +%s%N) - test_start)) 'BEGIN { printf "%.1f", ns / 1e9 }')
  if [ $status -eq 0 ]; then
    passed=$((passed + 1))
    echo "PASS $test (${seconds} s)"
    [ -n "${E2E_KEEP:-}" ] || rm -rf "$E2E_WORK"
  else
    failed=$((failed + 1))
    echo "FAIL $test (${seconds} s), kept in $E2E_WORK"
    tail -n 15 "$E2E_WORK/log" | sed 's/^/    /'
  fi
done

echo "e2e: $(($(date +%s) - run_start)) s in all"
echo "e2e: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ $passed -gt 0 ]
