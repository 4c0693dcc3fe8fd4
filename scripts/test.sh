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

step "Debian package: lintian, installed with dpkg, started from its menu entry, purged without a trace"
bash tests/deb/run.sh

step "Windows unit tests under Wine (framework layer, GDI surface)"
ctest --preset windows

# The Wine and the X11 end-to-end tests share nothing (each test has its own
# X server, prefix or folders), and both mostly wait for windows and
# repaints, so they run side by side; each one's output is printed whole
# when both have ended, with its own time.
branch_dir=$(mktemp -d "${TMPDIR:-/tmp}/quorvenda-test.XXXXXX")
trap 'rm -rf "$branch_dir"' EXIT
# branch NAME TITLE COMMAND...: starts COMMAND in the background.
branch() {
  local name=$1 title=$2
  shift 2
  echo "$title" >"$branch_dir/$name.title"
  (
    started=$SECONDS
    status=0
    "$@" >"$branch_dir/$name.log" 2>&1 || status=$?
    echo "$status $((SECONDS - started))" >"$branch_dir/$name.status"
  ) &
}
# join_branches NAME...: waits for the branches, prints each one's output
# and time, and fails if any failed.
join_branches() {
  local name status took failed=0
  wait
  for name in "$@"; do
    read -r status took <"$branch_dir/$name.status"
    printf '\n---- %s\n' "$(cat "$branch_dir/$name.title")"
    cat "$branch_dir/$name.log"
    printf -- '---- (%d s, exit %d)\n' "$took" "$status"
    [ "$status" -eq 0 ] || failed=1
  done
  return "$failed"
}

step "end-to-end tests, side by side: the Windows program under Wine, the native clock on X11"
if [ ! -x tests/e2e/run-all.sh ]; then
  echo "tests/e2e/run-all.sh is missing or not executable" >&2
  exit 1
fi
branch wine "end-to-end tests under Wine" tests/e2e/run-all.sh build/windows build/native
branch x11 "end-to-end tests of the native clock on X11 (window, dial, colour key, commands, file faults)" \
  tests/x11/run-all.sh build/native
join_branches wine x11

step "the run command after the test command: no build step, the clock starts"
bash scripts/check-run.sh

step "soak: 10,000 repaints in one process, under Wine and natively on X11, no growth"
bash scripts/soak.sh 10000

step "benchmarks, CI-sized (figures only, no time asserted)"
bash scripts/bench.sh --quick

step "all tests passed in $SECONDS s"
