#!/usr/bin/env bash
# Sets up a fresh Debian/Ubuntu machine, builds the Windows program and starts
# the clock under Wine: in the demo folder, or in the folder given as argument.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec bash scripts/run-clock.sh "$@"
