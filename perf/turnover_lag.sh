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

# perf_native_turnover_lag NATIVE_BUILD SECONDS: the same for the native
# clock, on an X server of its own with no data files, the window's changes
# seen by the X server itself (perf/window_changes.py, from the DAMAGE
# extension) instead of by copies of the screen. Records
# turnover_native_median_ms and turnover_native_max_ms.
perf_native_turnover_lag() {
  local build=$1 seconds=$2 folder=$PERF_WORK/turnover-native pid window lags
  mkdir -p "$folder"
  perf_start_display
  (cd "$folder" && DISPLAY=$PERF_DISPLAY NO_AT_BRIDGE=1 exec "$build/src/app/gtk/quorvenda") >>"$PERF_WORK/gtk.log" 2>&1 &
  pid=$!
  perf_wait_for 30 perf_window_shown "$PERF_DISPLAY" '^Quorvenda' || perf_fail "the native clock's window did not appear"
  window=$(DISPLAY=$PERF_DISPLAY xdotool search --onlyvisible --name '^Quorvenda' | head -n 1)
  # The first second seen may have begun before the watch: left out.
  lags=$(DISPLAY=$PERF_DISPLAY "$PERF_PYTHON" "$PERF_ROOT/perf/window_changes.py" "$window" $((seconds + 1)) |
    awk 'NR == 1 { first = int($1) + 1 } int($1) >= first && !seen[int($1)]++ { printf "%.1f\n", ($1 - int($1)) * 1000 }') ||
    perf_fail "window_changes.py failed"
  [ -n "$lags" ] || perf_fail "the native clock's window did not change"
  # shellcheck disable=SC2086 # a list of numbers
  perf_result turnover_native_median_ms "$(perf_median $lags)"
  perf_result turnover_native_max_ms "$(sort -g <<<"$lags" | tail -n 1)"
  perf_log "native turnover lags (ms): ${lags//$'\n'/ }"
  perf_stop "$pid"
  perf_stop "$PERF_XVFB_PID"
}
