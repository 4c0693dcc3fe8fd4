#!/usr/bin/env bash
# Runs a Windows test program under Wine as CTest asks for it, with what it
# needs: a virtual X server of its own and a Wine prefix set up as the
# end-to-end tests set theirs up (Japanese locale, Wine-drawn frames).
#
#   with_wine_display.sh PREFIX COMMAND...
#
# COMMAND is the toolchain's emulator (wine) with the program and its
# arguments. PREFIX is created on first use (about 15 s) and kept for the
# next runs; programs sharing it run one at a time. The X server and every
# Wine process are stopped at the end, also when the program fails.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 PREFIX COMMAND..." >&2
  exit 2
fi
# shellcheck source=SCRIPTDIR/e2e/lib/harness.sh
source "$(cd "$(dirname "$0")" && pwd)/e2e/lib/harness.sh"
E2E_PREFIX=$(realpath -m "$1")
shift
E2E_WORK=$E2E_PREFIX.run
mkdir -p "$E2E_WORK"

exec {lock}>"$E2E_PREFIX.lock"
flock "$lock"
if [ ! -e "$E2E_PREFIX/.ready" ]; then
  rm -rf "$E2E_PREFIX"
  (e2e_create_prefix) || e2e_fail "wineboot could not create $E2E_PREFIX"
  touch "$E2E_PREFIX/.ready"
fi
e2e_begin >/dev/null
"$@"
