# shellcheck shell=bash
# Idle cost side by side, all at once for SECONDS: the clock (the shipped
# quorvenda.exe), the minimal Win32 program of the end-to-end tests
# (e2e-minimal.exe, which fills and copies its window once a second), the
# fill, face and copy baseline run as a program (what the two 2-pixel
# circles alone cost each second) and the native `xclock -update 1`. Each
# has an X server of its own and each Wine program a prefix of its own, so
# every process's CPU time (what each of its threads ran between the two
# readings, in nanoseconds, from /proc/PID/task/*/schedstat) belongs to
# exactly one of them: the program,
# its wineserver, the prefix's other Wine processes (explorer and services)
# and its X server. Measurement starts once every window is shown and two
# more seconds have passed, so start-up is left out; a program that did not
# start, or ended before the measurement did, stops the run. Records
# idle_<name><SUFFIX>_{process,server,others,x}_s and
# idle_<name><SUFFIX>_{rss,server_rss}_kib for clock, minimal and face, and
# without a SUFFIX idle_xclock_{process,x}_s and idle_xclock_rss_kib.

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

# perf_idle_measure GROUPS SECONDS [SUFFIX]: GROUPS names an associative
# array of <name>_<part> to process ids; records idle_<name>SUFFIX_<part>_s,
# the CPU time each group's threads took over SECONDS. Every thread's run
# time is read before and after, so that one that ends counts for nothing; a
# group but *_others whose process ended fails the run.
perf_idle_measure() {
  local -n idleGroups=$1
  local seconds=$2 suffix=${3:-} pid group before
  # shellcheck disable=SC2048,SC2086 # lists of process ids
  before=$(perf_thread_ns ${idleGroups[*]})
  perf_log "idle${suffix}: measuring for $seconds s"
  sleep "$seconds"
  for group in "${!idleGroups[@]}"; do
    # shellcheck disable=SC2086
    for pid in ${idleGroups[$group]}; do
      # The program, its wineserver or X server took its run time with it.
      [[ $group == *_others ]] || [ -d "/proc/$pid" ] || perf_fail "idle$suffix: $group (process $pid) ended while measured"
    done
    # shellcheck disable=SC2086
    perf_result "idle_${group%_*}${suffix}_${group##*_}_s" \
      "$(perf_ns_to_seconds "$(perf_cpu_ns_since "$before" ${idleGroups[$group]})")"
  done
}

# perf_idle_cpu WINDOWS_BUILD FOLDER SECONDS PREFIX [SUFFIX]: PREFIX is
# copied for every Wine program but the first, which runs in it. With a
# SUFFIX (a run in a prefix of another DPI), the keys carry it and xclock,
# which no prefix's DPI concerns, is left out.
perf_idle_cpu() {
  local build=$1 folder=$2 seconds=$3 firstPrefix=$4 suffix=${5:-}
  # name | program | title of its window
  local programs=(
    "clock|$build/src/app/quorvenda.exe|^Quorvenda"
    "minimal|$build/tests/e2e/e2e-minimal.exe|^e2e-minimal\$"
    "face|$build/perf/quorvenda-baseline-fill-face-copy.exe|^quorvenda-baseline fill, face and copy\$"
  )
  local row name exe title exeName prefix
  declare -A prefixOf=() displayOf=() xOf=() groups=()
  # Every prefix is copied before any program starts in the first.
  for row in "${programs[@]}"; do
    name=${row%%|*}
    if [ ${#prefixOf[@]} -eq 0 ]; then
      prefixOf[$name]=$firstPrefix
    else
      perf_copy_prefix "$firstPrefix"
      prefixOf[$name]=$PERF_PREFIX
    fi
  done
  for row in "${programs[@]}"; do
    IFS='|' read -r name exe title <<<"$row"
    perf_start_display
    displayOf[$name]=$PERF_DISPLAY xOf[$name]=$PERF_XVFB_PID
    (cd "$folder" && DISPLAY=$PERF_DISPLAY WINEPREFIX=${prefixOf[$name]} exec wine "$exe") \
      >>"$PERF_WORK/wine.log" 2>&1 &
  done
  local xclockDisplay xclockX xclockPid=
  if [ -z "$suffix" ]; then
    perf_start_display
    xclockDisplay=$PERF_DISPLAY xclockX=$PERF_XVFB_PID
    DISPLAY=$xclockDisplay xclock -update 1 >>"$PERF_WORK/xclock.log" 2>&1 &
    xclockPid=$!
  fi

  for row in "${programs[@]}"; do
    IFS='|' read -r name exe title <<<"$row"
    perf_wait_for 30 perf_window_shown "${displayOf[$name]}" "$title" || perf_fail "no window '$title' of $exe"
  done
  if [ -n "$xclockPid" ]; then
    perf_wait_for 30 perf_window_shown "$xclockDisplay" '^xclock$' || perf_fail "xclock's window did not appear"
  fi
  sleep 2

  local pid server
  for row in "${programs[@]}"; do
    IFS='|' read -r name exe title <<<"$row"
    prefix=${prefixOf[$name]}
    exeName=${exe##*/}
    # The process's command name: its file name, cut to 15 characters.
    pid=$(perf_pid_named "$prefix" "${exeName:0:15}") || perf_fail "no $exeName process"
    server=$(perf_wineserver_pid "$prefix") || perf_fail "no wineserver for $exeName"
    groups[${name}_process]=$pid
    groups[${name}_server]=$server
    groups[${name}_others]=$(perf_other_pids "$prefix" "$pid" "$server")
    groups[${name}_x]=${xOf[$name]}
    perf_log "idle$suffix: $name is process $pid; wineserver $server; others ${groups[${name}_others]:-none}"
  done
  if [ -n "$xclockPid" ]; then
    groups[xclock_process]=$xclockPid
    groups[xclock_x]=$xclockX
  fi

  perf_idle_measure groups "$seconds" "$suffix"
  for row in "${programs[@]}"; do
    name=${row%%|*}
    perf_result "idle_${name}${suffix}_rss_kib" "$(perf_rss_kib "${groups[${name}_process]}")"
    perf_result "idle_${name}${suffix}_server_rss_kib" "$(perf_rss_kib "${groups[${name}_server]}")"
  done
  perf_result idle_seconds "$seconds"

  if [ -n "$xclockPid" ]; then
    perf_result idle_xclock_rss_kib "$(perf_rss_kib "$xclockPid")"
    kill "$xclockPid" 2>/dev/null
    wait "$xclockPid" 2>/dev/null || true
  fi
  for name in "${!prefixOf[@]}"; do
    WINEPREFIX=${prefixOf[$name]} wineserver -k 2>/dev/null
    WINEPREFIX=${prefixOf[$name]} wineserver -w 2>/dev/null
  done
  return 0
}

# perf_native_idle_cpu NATIVE_BUILD FOLDER SECONDS: the native clock (an
# optimised build), the bare GTK 3 window and the fill-and-copy one
# (perf/gtk/baseline_window.cpp) at once, each on an X server of its own, for
# SECONDS; records idle_gtk_<name>_{process,x}_s and idle_gtk_<name>_rss_kib
# for clock, bare and fill_copy.
perf_native_idle_cpu() {
  local build=$1 folder=$2 seconds=$3 row name command title pid
  # name | command | title of its window
  local programs=(
    "clock|$build/src/app/gtk/quorvenda|^Quorvenda"
    "bare|$build/perf/quorvenda-baseline-gtk bare|^quorvenda-baseline bare\$"
    "fill_copy|$build/perf/quorvenda-baseline-gtk fill-copy|^quorvenda-baseline fill-copy\$"
  )
  declare -A displayOf=() groups=()
  for row in "${programs[@]}"; do
    IFS='|' read -r name command title <<<"$row"
    perf_start_display
    displayOf[$name]=$PERF_DISPLAY
    groups[gtk_${name}_x]=$PERF_XVFB_PID
    # shellcheck disable=SC2086 # the program and its argument
    (cd "$folder" && DISPLAY=$PERF_DISPLAY NO_AT_BRIDGE=1 exec $command) >>"$PERF_WORK/gtk.log" 2>&1 &
    groups[gtk_${name}_process]=$!
  done
  for row in "${programs[@]}"; do
    IFS='|' read -r name command title <<<"$row"
    perf_wait_for 30 perf_window_shown "${displayOf[$name]}" "$title" || perf_fail "no window '$title' of $command"
  done
  sleep 2
  perf_idle_measure groups "$seconds"
  for row in "${programs[@]}"; do
    name=${row%%|*}
    pid=${groups[gtk_${name}_process]}
    perf_result "idle_gtk_${name}_rss_kib" "$(perf_rss_kib "$pid")"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
  done
  perf_result idle_gtk_seconds "$seconds"
}

# perf_desktop_idle_cpu NATIVE_BUILD FOLDER SECONDS SCALE...: the native
# clock, the keyed-out clock (FOLDER's colour file with line 4 set to 1) and
# the bare GTK 3 window as a desktop runs them, on the X server alone,
# under openbox alone and under openbox with picom compositing, at each of
# GDK's scale factors SCALE..., all at once for SECONDS, each with an X server, a window
# manager and a compositor of its own, so that what each of them does for
# the one window is its own. Records idle_desk_<name>_s<scale>_<desktop>_<part>_s,
# the CPU time of the program, its X server, window manager and compositor
# (parts process, x, wm, compositor; desktops none, wm and composited),
# idle_desk_seconds and idle_desk_scales.
perf_desktop_idle_cpu() {
  local build=$1 folder=$2 seconds=$3 scale desktop row name command title key
  shift 3
  local keyed
  keyed=$(perf_keyed_folder "$folder")
  # name | folder | command | title of its window
  local programs=(
    "clock|$folder|$build/src/app/gtk/quorvenda|^Quorvenda"
    "keyed|$keyed|$build/src/app/gtk/quorvenda|^Quorvenda"
    "bare|$folder|$build/perf/quorvenda-baseline-gtk bare|^quorvenda-baseline bare\$"
  )
  declare -A groups=() displayOf=() titleOf=()
  for scale in "$@"; do
    for desktop in none wm composited; do
      for row in "${programs[@]}"; do
        IFS='|' read -r name dir command title <<<"$row"
        key=desk_${name}_s${scale}_$desktop
        # Room for the window at twice the size.
        WINE_SCREEN=2400x1800x24 perf_start_display
        groups[${key}_x]=$PERF_XVFB_PID
        perf_start_desktop "$PERF_DISPLAY" "$desktop"
        [ -z "$PERF_WM_PID" ] || groups[${key}_wm]=$PERF_WM_PID
        [ -z "$PERF_COMPOSITOR_PID" ] || groups[${key}_compositor]=$PERF_COMPOSITOR_PID
        # shellcheck disable=SC2086 # the program and its argument
        (cd "$dir" && DISPLAY=$PERF_DISPLAY GDK_SCALE=$scale NO_AT_BRIDGE=1 exec $command) >>"$PERF_WORK/gtk.log" 2>&1 &
        groups[${key}_process]=$!
        displayOf[$key]=$PERF_DISPLAY titleOf[$key]=$title
      done
    done
  done
  for key in "${!displayOf[@]}"; do
    perf_wait_for 30 perf_window_shown "${displayOf[$key]}" "${titleOf[$key]}" || perf_fail "no window '${titleOf[$key]}' for $key"
  done
  sleep 2
  perf_idle_measure groups "$seconds"
  perf_result idle_desk_seconds "$seconds"
  perf_result idle_desk_scales "$*"
  # Program first, X server last, so that no steps after this share the processors with them.
  local part
  for key in "${!displayOf[@]}"; do
    for part in process compositor wm x; do
      [ -z "${groups[${key}_$part]:-}" ] || perf_stop "${groups[${key}_$part]}"
    done
  done
}
