#!/usr/bin/env bash
# The run command after the test command: with build/native and build/windows
# configured and built by the test command, scripts/run.sh must start the
# native clock, and scripts/run.sh --windows the Windows one, without a
# compile or link step. Runs both without a display, so each clock runs on a
# virtual X server for a second; the Windows one in the Wine prefix the
# Windows unit tests made.
set -euo pipefail
cd "$(dirname "$0")/.."
log=$(mktemp "${TMPDIR:-/tmp}/quorvenda-check-run.XXXXXX")
trap 'rm -f "$log"' EXIT

# check_run WHAT [OPTION]: the run command (with OPTION) starts WHAT's clock without a build step.
check_run() {
  local started=$SECONDS
  env -u DISPLAY WINEPREFIX="$PWD/build/windows/tests/wine-prefix" QUORVENDA_SHOT_DELAY=1 \
    bash scripts/run.sh ${2:+"$2"} >"$log" 2>&1 || { cat "$log"; echo "check-run: the run command failed ($1)" >&2; exit 1; }
  cat "$log"
  # Ninja names every compile and link step it runs ("Building CXX object", "Linking CXX executable").
  if grep -Eq '(Building|Linking) ' "$log"; then
    echo "check-run: the run command compiled or linked after the test command ($1)" >&2
    exit 1
  fi
  grep -q '^== screenshot of the clock window' "$log" || { echo "check-run: the $1 clock did not start" >&2; exit 1; }
  echo "check-run: the $1 clock started without a build step, in $((SECONDS - started)) s"
}
check_run native
check_run Windows --windows
