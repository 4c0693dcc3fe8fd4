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

step "Windows build (MinGW-w64, warnings are errors)"
cmake --preset windows-ci >/dev/null
cmake --build --preset windows -j"$jobs"

step "release package: built twice, the second time from a copy of the tree, byte for byte the same"
bash scripts/check-package.sh

step "Windows unit tests under Wine (framework layer, GDI surface)"
ctest --preset windows

# The end-to-end tests mostly wait for windows and repaints, so three
# branches run side by side: the Wine tests; the X11 tests, then the Debian
# package's and the Wine installer's; and, at the lowest priority so that
# the tests' own processes always come first, the steps that only need the
# processor (fuzzing, the soak, the benchmark's build). The branches share nothing (each test has its
# own X server, prefix or folders); no test asserts on how soon something
# comes, and their waits hold under this load. Each branch's output is
# printed whole when all have ended, with each step's time.
branch_dir=$(mktemp -d "${TMPDIR:-/tmp}/quorvenda-test.XXXXXX")
trap 'rm -rf "$branch_dir"' EXIT
# branch NAME COMMAND...: starts COMMAND in the background, its output in NAME's log.
branch() {
  local name=$1
  shift
  (
    status=0
    "$@" >"$branch_dir/$name.log" 2>&1 || status=$?
    echo "$status" >"$branch_dir/$name.status"
  ) &
}
# within_branch TITLE COMMAND...: one step of a branch, headed and timed as
# a step is; its status is COMMAND's. (A branch runs where errexit is off,
# so each branch below adds up its steps' failures itself.)
within_branch() {
  local title=$1 started=$SECONDS status=0
  shift
  printf '\n---- %s\n' "$title"
  "$@" || status=$?
  printf -- '---- (%d s)\n' $((SECONDS - started))
  [ "$status" -eq 0 ] || printf -- '---- FAILED with exit code %d\n' "$status"
  return "$status"
}
# join_branches NAME...: waits for the branches, prints each one's output and
# fails if any failed.
join_branches() {
  local name status failed=0
  wait
  for name in "$@"; do
    status=$(cat "$branch_dir/$name.status")
    cat "$branch_dir/$name.log"
    [ "$status" -eq 0 ] || { echo "---- that branch failed (exit code $status)"; failed=1; }
  done
  return "$failed"
}
# The installer's Wine tests end the X11 branch, which otherwise ends a minute
# or two before the Wine one.
wine_installer_tests=^test_installer_
wine_branch() {
  within_branch "end-to-end tests under Wine" \
    env E2E_SKIP="$wine_installer_tests" tests/e2e/run-all.sh build/windows build/native
}
x11_branch() {
  local failed=0
  within_branch "end-to-end tests of the native clock on X11 (window, dial, colour key, commands, file faults)" \
    tests/x11/run-all.sh build/native || failed=1
  within_branch "Debian package: lintian, installed with dpkg, started from its menu entry, purged without a trace" \
    bash tests/deb/run.sh || failed=1
  within_branch "end-to-end tests under Wine: the installer's" \
    tests/e2e/run-all.sh build/windows build/native "$wine_installer_tests" || failed=1
  return "$failed"
}
processor_branch() {
  local failed=0
  within_branch "fuzzing (libFuzzer, short run)" nice -n 19 bash scripts/fuzz.sh || failed=1
  within_branch "soak: 10,000 repaints in one process, under Wine and natively on X11, no growth" \
    nice -n 19 bash scripts/soak.sh 10000 || failed=1
  within_branch "the benchmark's optimised build" nice -n 19 bash scripts/bench.sh --build || failed=1
  return "$failed"
}

step "side by side: the end-to-end tests under Wine; those on X11 and the Debian package's; fuzzing, soak, benchmark build"
if [ ! -x tests/e2e/run-all.sh ]; then
  echo "tests/e2e/run-all.sh is missing or not executable" >&2
  exit 1
fi
branch wine wine_branch
branch x11 x11_branch
branch processor processor_branch
join_branches wine x11 processor

step "the run command after the test command: no build step, the clock starts"
bash scripts/check-run.sh

step "benchmarks, CI-sized (figures only, no time asserted)"
bash scripts/bench.sh --quick

step "all tests passed in $SECONDS s"
