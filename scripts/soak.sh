#!/usr/bin/env bash
# Repaints the clock's window in one process under Wine and fails if GDI
# objects or memory grow (perf/run_soak.sh, perf/README.md).
#   scripts/soak.sh [REPAINTS]
exec bash "$(dirname "$0")/../perf/run_soak.sh" "$@"
