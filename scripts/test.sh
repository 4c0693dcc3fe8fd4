#!/usr/bin/env bash
# Sets up a fresh Debian/Ubuntu machine, builds both ways and runs every test:
# native unit tests (under AddressSanitizer and UBSan), then the Windows program
# end to end under Wine on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

# Each step's header also gives the time the one before it took, so a slow
# step shows in CI's log.
step_started=$SECONDS
step() {
  [ "$step_started" -eq "$SECONDS" ] || printf '==== (%d s)\n' $((SECONDS - step_started))
  step_started=$SECONDS
  printf '\n==== %s\n' "$*"
}

# Groups of tests that share nothing (each test starts its own X server,
# Wine prefix and folders) run side by side as branches: "branch NAME
# COMMAND..." starts one, its output in a log of its own; "join_branches"
# waits for all, prints each log whole with the branch's time and exit code,
# and fails naming every branch that failed. The longest branch is the step.
branch_logs=$(mktemp -d "${TMPDIR:-/tmp}/quorvenda-test.XXXXXX")
branch_pids=()
branch_names=()
stop_branches() {
  local pid
  for pid in "${branch_pids[@]}"; do
    pkill -TERM -P "$pid" 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
  done
  rm -rf "$branch_logs"
}
trap stop_branches EXIT
branch() {
  local name=$1
  shift
  (
    started=$SECONDS status=0
    "$@" >"$branch_logs/$name.log" 2>&1 || status=$?
    echo "$status $((SECONDS - started))" >"$branch_logs/$name.status"
  ) &
  branch_pids+=($!)
  branch_names+=("$name")
}
join_branches() {
  local name status seconds failed=()
  wait "${branch_pids[@]}" || true
  for name in "${branch_names[@]}"; do
    read -r status seconds <"$branch_logs/$name.status" || status=1 seconds='?'
    printf '\n---- %s: exit %s after %s s\n' "$name" "$status" "$seconds"
    cat "$branch_logs/$name.log"
    [ "$status" = 0 ] || failed+=("$name")
  done
  branch_pids=() branch_names=()
  if [ ${#failed[@]} -gt 0 ]; then
    echo "failed: ${failed[*]}" >&2
    exit 1
  fi
}

# timed COMMAND...: runs it and says how long it took, in a branch's log.
timed() {
  local started=$SECONDS status=0
  "$@" || status=$?
  printf -- '-- %s: exit %d after %d s\n' "$*" "$status" $((SECONDS - started))
  return "$status"
}

step "setup"
bash scripts/setup.sh

step "lint: shellcheck on every shell script, clang-format on every C and C++ source"
bash scripts/lint.sh

step "native build (unit tests, tools; sanitizers on, warnings are errors)"
cmake --preset native-ci >/dev/null
cmake --build --preset native -j"$jobs"

step "unit tests"
ctest --preset native -j"$jobs"

step "fuzzing (libFuzzer, short run)"
bash scripts/fuzz.sh

step "Windows build (MinGW-w64, warnings are errors)"
cmake --preset windows-ci >/dev/null
cmake --build --preset windows -j"$jobs"

step "release package: built twice, the second time from a copy of the tree, byte for byte the same"
bash scripts/check-package.sh

step "side by side: end to end under Wine (the installer's among them) | the native clock on X11, the Debian package, the Windows unit tests"
if [ ! -x tests/e2e/run-all.sh ]; then
  echo "tests/e2e/run-all.sh is missing or not executable" >&2
  exit 1
fi
# Wine end to end (window, dial pixels, commands, faults, the zip, the installer).
branch wine-e2e timed tests/e2e/run-all.sh build/windows build/native
# Native clock on X11 (window, dial, colour key, commands, file faults); the
# Debian package: lintian, installed with dpkg, started from its menu entry,
# purged without a trace; the framework layer and GDI surface under Wine.
# Each runs even when one before it failed.
x11_deb_win32() {
  local status=0
  timed tests/x11/run-all.sh build/native || status=1
  timed bash tests/deb/run.sh || status=1
  timed ctest --preset windows || status=1
  return "$status"
}
branch x11-deb-win32 x11_deb_win32
join_branches

step "the run command after the test command: no build step, the clock starts"
bash scripts/check-run.sh

step "soak: 10,000 repaints in one process, under Wine and natively on X11, no growth"
bash scripts/soak.sh 10000

step "benchmarks, CI-sized (figures only, no time asserted)"
bash scripts/bench.sh --quick

step "all tests passed in $SECONDS s"
