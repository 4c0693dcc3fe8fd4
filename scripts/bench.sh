#!/usr/bin/env bash
# Measures what the clock costs and prints one table (perf/run_bench.sh, perf/README.md).
#   scripts/bench.sh [--quick]
exec bash "$(dirname "$0")/../perf/run_bench.sh" "$@"
