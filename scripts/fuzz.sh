#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each one.
#   scripts/fuzz.sh                 short run: a fixed number of executions per target (the test command's)
#   scripts/fuzz.sh --seconds 600   long run: that many seconds per target
# Seeds come from fuzz/corpus/<target>; new inputs found go to build/fuzz/corpus/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(-runs=40000)
if [ "${1:-}" = "--seconds" ]; then mode=(-max_total_time="${2:?seconds}"); fi

cmake --preset fuzz >/dev/null
targets=(line_reader event_list colour_settings repaint)
cmake --build --preset fuzz -j"$(nproc)" --target "${targets[@]/%/_fuzz}"

for t in "${targets[@]}"; do
  work=build/fuzz/corpus/$t
  mkdir -p "$work"
  echo "---- fuzzing $t"
  log=build/fuzz/$t.log
  if ! "build/fuzz/fuzz/${t}_fuzz" "${mode[@]}" -max_len=65536 -rss_limit_mb=4096 -print_final_stats=1 \
       -artifact_prefix=build/fuzz/"$t"- "$work" fuzz/corpus/"$t" >"$log" 2>&1; then
    tail -40 "$log"
    echo "fuzz target $t FAILED (crash input under build/fuzz/$t-*)"
    exit 1
  fi
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" | tr '\n' ' '
  echo
done
