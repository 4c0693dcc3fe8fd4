# shellcheck shell=bash
# Idle cost side by side, all three at once for SECONDS: the clock (the
# shipped quorvenda.exe, in the data folder), the minimal Win32 program of
# the end-to-end tests (e2e-minimal.exe, which fills and copies its window
# once a second) and the native `xclock -update 1`. Each has an X server of
# its own and each Wine program a prefix of its own, so every process's CPU
# time (user + system, from /proc/PID/stat) belongs to exactly one of them:
# the program, its wineserver, the prefix's other Wine processes (explorer
# and services) and its X server. Measurement starts once every window is
# shown and two more seconds have passed, so start-up is left out. Records
# idle_<name>_{process,server,others,x}_s and idle_<name>_{rss,server_rss}_kib.

# perf_pid_named PREFIX COMM: the process of that prefix with that command name.
perf_pid_named() {
  local pid
  for pid in $(perf_prefix_pids "$1"); do
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$2" ] && echo "$pid" && return 0
  done
  return 1
}

# perf_other_pids PREFIX PID...: the prefix's processes but those given, on one line.
perf_other_pids() {
  local prefix=$1 pid
  shift
  for pid in $(perf_prefix_pids "$prefix"); do
    [[ " $* " == *" $pid "* ]] || printf '%s ' "$pid"
  done
}

# perf_idle_cpu WINDOWS_BUILD FOLDER SECONDS CLOCK_PREFIX MINIMAL_PREFIX
perf_idle_cpu() {
  local build=$1 folder=$2 seconds=$3 clockPrefix=$4 minimalPrefix=$5
  local clockDisplay minimalDisplay xclockDisplay clockX minimalX xclockX xclockPid
  perf_start_display
  clockDisplay=$PERF_DISPLAY clockX=$PERF_XVFB_PID
  perf_start_display
  minimalDisplay=$PERF_DISPLAY minimalX=$PERF_XVFB_PID
  perf_start_display
  xclockDisplay=$PERF_DISPLAY xclockX=$PERF_XVFB_PID

  (cd "$folder" && DISPLAY=$clockDisplay WINEPREFIX=$clockPrefix exec wine "$build/src/app/quorvenda.exe") \
    >>"$PERF_WORK/wine.log" 2>&1 &
  (cd "$folder" && DISPLAY=$minimalDisplay WINEPREFIX=$minimalPrefix exec wine "$build/tests/e2e/e2e-minimal.exe") \
    >>"$PERF_WORK/wine.log" 2>&1 &
  DISPLAY=$xclockDisplay xclock -update 1 >>"$PERF_WORK/xclock.log" 2>&1 &
  xclockPid=$!
  perf_wait_for 30 perf_window_shown "$clockDisplay" '^Quorvenda' || perf_fail "the clock's window did not appear"
  perf_wait_for 30 perf_window_shown "$minimalDisplay" '^e2e-minimal$' || perf_fail "e2e-minimal's window did not appear"
  perf_wait_for 30 perf_window_shown "$xclockDisplay" '^xclock$' || perf_fail "xclock's window did not appear"
  sleep 2

  local clockPid minimalPid clockServer minimalServer
  clockPid=$(perf_pid_named "$clockPrefix" quorvenda.exe) || perf_fail "no quorvenda.exe process"
  minimalPid=$(perf_pid_named "$minimalPrefix" e2e-minimal.exe) || perf_fail "no e2e-minimal.exe process"
  clockServer=$(perf_wineserver_pid "$clockPrefix") || perf_fail "no wineserver for the clock"
  minimalServer=$(perf_wineserver_pid "$minimalPrefix") || perf_fail "no wineserver for e2e-minimal"
  local clockOthers minimalOthers
  clockOthers=$(perf_other_pids "$clockPrefix" "$clockPid" "$clockServer")
  minimalOthers=$(perf_other_pids "$minimalPrefix" "$minimalPid" "$minimalServer")

  # name:pids groups, measured together.
  local groups=(
    "clock_process:$clockPid" "clock_server:$clockServer" "clock_others:$clockOthers" "clock_x:$clockX"
    "minimal_process:$minimalPid" "minimal_server:$minimalServer" "minimal_others:$minimalOthers"
    "minimal_x:$minimalX" "xclock_process:$xclockPid" "xclock_x:$xclockX"
  )
  declare -A before=()
  local group
  for group in "${groups[@]}"; do
    # shellcheck disable=SC2086 # a list of process ids
    before[${group%%:*}]=$(perf_cpu_ticks ${group#*:})
  done
  perf_log "idle: measuring for $seconds s"
  sleep "$seconds"
  for group in "${groups[@]}"; do
    # shellcheck disable=SC2086
    perf_result "idle_${group%%:*}_s" \
      "$(perf_ticks_to_seconds $(($(perf_cpu_ticks ${group#*:}) - before[${group%%:*}])))"
  done
  perf_result idle_clock_rss_kib "$(perf_rss_kib "$clockPid")"
  perf_result idle_clock_server_rss_kib "$(perf_rss_kib "$clockServer")"
  perf_result idle_minimal_rss_kib "$(perf_rss_kib "$minimalPid")"
  perf_result idle_minimal_server_rss_kib "$(perf_rss_kib "$minimalServer")"
  perf_result idle_xclock_rss_kib "$(perf_rss_kib "$xclockPid")"
  perf_result idle_seconds "$seconds"

  kill "$xclockPid" 2>/dev/null
  wait "$xclockPid" 2>/dev/null || true
  local prefix
  for prefix in "$clockPrefix" "$minimalPrefix"; do
    WINEPREFIX=$prefix wineserver -k 2>/dev/null
    WINEPREFIX=$prefix wineserver -w 2>/dev/null
  done
  return 0
}
