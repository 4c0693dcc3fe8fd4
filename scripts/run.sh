#!/usr/bin/env bash
# Sets up a fresh Debian/Ubuntu machine, builds the Windows program and starts
# the clock under Wine: in the demo folder, or in the folder given as argument.
#
#   bash scripts/run.sh [FOLDER]
set -euo pipefail
# shellcheck source=scripts/lib/clock_folder.sh
source "$(dirname "$0")/lib/clock_folder.sh"
# Read before moving to the project root, so a relative FOLDER means what the caller meant.
folder=$(clock_folder scripts/run.sh "$@")
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec bash scripts/run-clock.sh ${folder:+"$folder"}
