# shellcheck shell=bash
# Time from process start to the end of the first paint under Wine, for the
# clock and for the fill-and-copy baseline. The drive programs start exactly
# as their programs do (the same application object and start-up hook, whose
# UpdateWindow paints the window before it returns) and, given --first-paint,
# print the wall-clock time at which that hook returned; the script takes
# the time just before it runs `wine`. Both clocks are the machine's real
# time, so the difference is the start-up as a user waits for it: Wine's
# loader, the program's initialisation, window creation and the first
# paint. The prefix's wineserver is kept running throughout, as it is on a
# desktop where Wine is already in use, and one unmeasured start of each
# program comes first. Records startup_<name>_ms, the median over ROUNDS.

# perf_startup BUILD FOLDER ROUNDS: the clock's drive and the fill-and-copy
# one of the Windows BUILD under Wine, or with PERF_DRIVE_STYLE=native those
# of the native BUILD (PERF_NATIVE_DRIVES), with DISPLAY set.
perf_startup() {
  local build=$1 folder=$2 rounds=$3 round drive name out started painted drives=("${PERF_DRIVES[@]:0:2}")
  declare -A times=()
  if [ "${PERF_DRIVE_STYLE:-wine}" = native ]; then
    drives=("${PERF_NATIVE_DRIVES[@]:0:2}")
  else
    # A server left lingering by the last program would refuse -p.
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p
  fi
  for drive in "${drives[@]}"; do
    (cd "$folder" && perf_drive_run "$build" "${drive#*:}" --first-paint) >/dev/null 2>&1
  done
  for ((round = 1; round <= rounds; round++)); do
    for drive in "${drives[@]}"; do
      name=${drive%%:*}
      out=$PERF_WORK/startup-$name-$round.txt
      started=$(date +%s%N)
      (cd "$folder" && perf_drive_run "$build" "${drive#*:}" --first-paint) >"$out" 2>>"$PERF_WORK/wine.log" ||
        perf_fail "${drive#*:} --first-paint failed"
      painted=$(perf_field "$out" first_paint_unix_ns)
      [ -n "$painted" ] || perf_fail "${drive#*:} printed no first paint time"
      times[$name]+=" $(awk -v a="$started" -v b="$painted" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')"
    done
  done
  [ "${PERF_DRIVE_STYLE:-wine}" = native ] || { wineserver -k; wineserver -w; }
  for drive in "${drives[@]}"; do
    name=${drive%%:*}
    # shellcheck disable=SC2086
    perf_result "startup_${name}_ms" "$(perf_median ${times[$name]})"
    perf_log "start-up $name:${times[$name]} ms"
  done
}
