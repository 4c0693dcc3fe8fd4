# shellcheck shell=bash
# How late the shown second turns over: the real clock (no faked time) runs
# in the prefix while turnover-times (tests/e2e), in the same prefix, copies
# its client area from the screen about every millisecond and notes, against
# the system clock, when its pixels change. For each second, the lag is the
# milliseconds past the whole second at which the window first changed.
# Measured on its own, after the idle run, since the watcher itself loads
# Wine and the X server. Records turnover_median_ms, turnover_max_ms and
# turnover_seconds.

# perf_turnover_lag WINDOWS_BUILD SECONDS (WINEPREFIX and DISPLAY set)
perf_turnover_lag() {
  local build=$1 seconds=$2 folder=$PERF_WORK/turnover lags
  # No data files: only the time text and the second hand move.
  mkdir -p "$folder"
  (cd "$folder" && exec wine "$build/src/app/quorvenda.exe") >>"$PERF_WORK/wine.log" 2>&1 &
  perf_wait_for 30 perf_window_shown "$DISPLAY" '^Quorvenda' || perf_fail "the clock's window did not appear"
  lags=$(wine "$build/tests/e2e/turnover-times.exe" quorvenda.exe "$seconds" 2>>"$PERF_WORK/wine.log" |
    tr -d '\r' | awk '!seen[$1]++ { print $2 }') || perf_fail "turnover-times failed"
  # shellcheck disable=SC2086 # a list of numbers
  perf_result turnover_median_ms "$(perf_median $lags)"
  perf_result turnover_max_ms "$(sort -n <<<"$lags" | tail -n 1)"
  perf_result turnover_seconds "$seconds"
  perf_log "turnover lags (ms): ${lags//$'\n'/ }"
  wineserver -k
  wineserver -w
}
