#!/usr/bin/env bash
# Sets up a fresh Debian/Ubuntu machine, builds the clock and starts it: the
# native Linux program by default, the Windows program under Wine with
# --windows; in the demo folder, or in the folder given as argument.
#
#   bash scripts/run.sh [--windows] [FOLDER]
set -euo pipefail
# shellcheck source=scripts/lib/clock_folder.sh
source "$(dirname "$0")/lib/clock_folder.sh"
runner=scripts/run-native-clock.sh
if [ "${1:-}" = --windows ]; then
  runner=scripts/run-clock.sh
  shift
fi
# Read before moving to the project root, so a relative FOLDER means what the caller meant.
folder=$(clock_folder "scripts/run.sh [--windows]" "$@")
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec bash "$runner" ${folder:+"$folder"}
