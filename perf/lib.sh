# shellcheck shell=bash
# Shared by the Wine-side measurement scripts (run_bench.sh, run_soak.sh
# and the steps they source): a virtual X display per measured program, a
# Wine prefix per run, a data folder with a full event list, and the means to
# read a process's CPU time and resident memory from /proc.
#
# Every script that sources this calls perf_begin first: whatever it starts
# (X servers, Wine prefixes and their processes, scratch folders) is ended and
# removed by the EXIT trap, whether the script passes or fails.

# shellcheck source=scripts/lib/wine_display.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/wine_display.sh"

PERF_XVFB_PIDS=()
PERF_DESKTOP_PIDS=()
PERF_PREFIXES=()
PERF_WORK=
# Set by perf_start_display, perf_start_desktop, perf_make_prefix and perf_copy_prefix.
PERF_DISPLAY=
PERF_XVFB_PID=
PERF_WM_PID=
PERF_COMPOSITOR_PID=
PERF_PREFIX=
# The system's Python, which has python3-xlib (a pyenv or venv shim on PATH may not).
PERF_PYTHON=${PERF_PYTHON:-/usr/bin/python3}
PERF_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

perf_log() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }
perf_fail() {
  perf_log "FAILED: $*"
  exit 1
}

# perf_begin: a scratch folder for this run (PERF_WORK) and the cleanup trap.
perf_begin() {
  PERF_WORK=$(mktemp -d /tmp/perf-run.XXXXXX)
  trap perf_cleanup EXIT
  trap 'exit 130' INT TERM
}

perf_cleanup() {
  local status=$?
  set +e
  local prefix pid
  for prefix in "${PERF_PREFIXES[@]}"; do wine_prefix_stop "$prefix"; done
  for pid in "${PERF_DESKTOP_PIDS[@]}"; do wine_display_stop "$pid"; done
  for pid in "${PERF_XVFB_PIDS[@]}"; do wine_display_stop "$pid"; done
  [ -n "$PERF_WORK" ] && rm -rf "$PERF_WORK"
  exit "$status"
}

# perf_wait_for TIMEOUT_S COMMAND...: polls COMMAND until it succeeds.
perf_wait_for() { wine_wait_for "$@"; }

# perf_start_display: starts an X server of its own on a free display;
# PERF_DISPLAY is ":N" and PERF_XVFB_PID the server's process.
perf_start_display() {
  local status=0
  wine_display_start "$PERF_WORK/xvfb${#PERF_XVFB_PIDS[@]}.log" || status=$?
  PERF_XVFB_PIDS+=("$WINE_XVFB_PID")
  [ "$status" -eq 0 ] || perf_fail "the virtual X server did not start"
  # shellcheck disable=SC2034 # read by the scripts that source this library
  PERF_DISPLAY=$WINE_DISPLAY
  # shellcheck disable=SC2034 # read by the scripts that source this library
  PERF_XVFB_PID=$WINE_XVFB_PID
}

# perf_stop PID: ends a process these scripts started and waits for it; it
# is then no longer among those the cleanup ends, whose ids may be reused.
perf_stop() {
  wine_display_stop "$1"
  local -a left=()
  local pid
  for pid in "${PERF_DESKTOP_PIDS[@]}"; do [ "$pid" = "$1" ] || left+=("$pid"); done
  PERF_DESKTOP_PIDS=("${left[@]}")
  left=()
  for pid in "${PERF_XVFB_PIDS[@]}"; do [ "$pid" = "$1" ] || left+=("$pid"); done
  PERF_XVFB_PIDS=("${left[@]}")
}

# perf_start_desktop DISPLAY none|wm|composited: openbox on DISPLAY, as a
# desktop runs a window manager, and for "composited" picom compositing with
# its XRender backend as well, as X11 desktops without a GPU driver of their
# own do; each up before it returns; "none" starts neither. Sets PERF_WM_PID
# and PERF_COMPOSITOR_PID (empty without one). Both read the system's
# settings, none of the user's.
perf_start_desktop() {
  local display=$1 n=${#PERF_DESKTOP_PIDS[@]}
  PERF_WM_PID='' PERF_COMPOSITOR_PID=''
  [ "$2" != none ] || return 0
  mkdir -p "$PERF_WORK/no-settings"
  DISPLAY=$display XDG_CONFIG_HOME=$PERF_WORK/no-settings openbox --sm-disable >"$PERF_WORK/openbox$n.log" 2>&1 &
  PERF_WM_PID=$!
  PERF_DESKTOP_PIDS+=("$PERF_WM_PID")
  perf_wait_for 20 perf_desktop_has "$display" has-wm || perf_fail "openbox did not start on $display"
  [ "$2" = composited ] || return 0
  DISPLAY=$display picom --backend xrender --config /dev/null >"$PERF_WORK/picom$n.log" 2>&1 &
  PERF_COMPOSITOR_PID=$!
  PERF_DESKTOP_PIDS+=("$PERF_COMPOSITOR_PID")
  perf_wait_for 20 perf_desktop_has "$display" has-compositor || perf_fail "picom did not start on $display"
}

# perf_desktop_has DISPLAY has-wm|has-compositor: a window manager or a compositing manager runs there.
perf_desktop_has() { DISPLAY=$1 "$PERF_PYTHON" "$PERF_ROOT/tests/x11/lib/xprobe.py" "$2"; }

# The environment of every Wine process: Japanese locale (code page 932), quiet.
perf_wine_env() {
  wine_env ja_JP.UTF-8
  unset WINEPREFIX
}

# perf_make_prefix: a new Wine prefix (about 15 s), in PERF_PREFIX.
perf_make_prefix() {
  local prefix=$PERF_WORK/prefix${#PERF_PREFIXES[@]}
  PERF_PREFIXES+=("$prefix")
  wine_prefix_create "$prefix" || perf_fail "wineboot could not make $prefix"
  # shellcheck disable=SC2034 # read by the scripts that source this library
  PERF_PREFIX=$prefix
}

# perf_copy_prefix SOURCE: a copy of a prefix in PERF_PREFIX (2 s instead of
# 15), with a wineserver of its own, so each program's server time can be
# told apart.
perf_copy_prefix() {
  local prefix=$PERF_WORK/prefix${#PERF_PREFIXES[@]}
  PERF_PREFIXES+=("$prefix")
  WINEPREFIX=$1 wineserver -w
  cp -a "$1" "$prefix" || perf_fail "could not copy $1"
  # shellcheck disable=SC2034 # read by the scripts that source this library
  PERF_PREFIX=$prefix
}

# perf_data_folder DIR: seven events, each with its countdown line and dial
# mark, dated next year so none has passed, and a colour settings file: the
# busiest repaint the clock normally makes. Written as Shift-JIS.
perf_data_folder() {
  local dir=$1 year slot
  mkdir -p "$dir"
  year=$(($(date +%Y) + 1))
  for slot in 1 2 3 4 5 6 7; do
    printf '予定%s\r\n1\r\n1\r\n%s\r\n%s\r\n%s\r\n' "$slot" "$year" $(((slot * 2 - 1) % 12 + 1)) $((slot * 4))
  done | iconv -f UTF-8 -t CP932 >"$dir/quorvendadata1.txt"
  printf '0\r\n0\r\n128\r\n0\r\n100\r\n' >"$dir/quorvendacolor.ini"
}

# perf_keyed_folder DIR: DIR's data with the colour key on (line 4 of the
# colour file 1), in a folder of its own beside it; prints that folder.
perf_keyed_folder() {
  local keyed=$1-keyed
  mkdir -p "$keyed"
  cp "$1/quorvendadata1.txt" "$keyed/"
  sed '4s/^[0-9]*/1/' "$1/quorvendacolor.ini" >"$keyed/quorvendacolor.ini"
  echo "$keyed"
}

# perf_thread_ns PID...: "TID NANOSECONDS" for each thread of the processes:
# the time it has run on a CPU, the first field of its schedstat, which the
# kernel keeps to the nanosecond (/proc/PID/stat's user and system times
# count 10 ms ticks, which a quiet program's few seconds round to zero). A
# process that has ended has no lines.
perf_thread_ns() {
  local pid task ns
  for pid in "$@"; do
    for task in "/proc/$pid/task/"*; do
      read -r ns _ 2>/dev/null <"$task/schedstat" && echo "${task##*/} $ns"
    done
  done
}

# perf_cpu_ns_since BEFORE PID...: the nanoseconds the processes' threads
# have run since BEFORE (perf_thread_ns's lines, taken earlier): a thread
# seen then counts its growth, one started since counts all it has run, and
# one that has ended, whose run time went with it, counts nothing.
perf_cpu_ns_since() {
  local before=$1
  shift
  perf_thread_ns "$@" | awk -v before="$before" 'BEGIN {
      n = split(before, lines, "\n"); for (i = 1; i <= n; i++) { split(lines[i], f, " "); was[f[1]] = f[2] } }
    { total += $2 - (($1 in was) ? was[$1] : 0) } END { printf "%.0f\n", total }'
}

# perf_ns_to_seconds NANOSECONDS: to the tenth of a millisecond.
perf_ns_to_seconds() { awk -v t="$1" 'BEGIN { printf "%.4f", t / 1e9 }'; }

# perf_rss_kib PID...: resident memory (VmRSS) in KiB, summed.
perf_rss_kib() {
  local pid total=0 kib
  for pid in "$@"; do
    kib=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
    total=$((total + ${kib:-0}))
  done
  echo "$total"
}

# perf_prefix_pids PREFIX: the processes running in that Wine prefix.
perf_prefix_pids() {
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    # Kernel threads and processes that just ended have no environment to read.
    if { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$1"; then echo "$pid"; fi
  done
}

# perf_wineserver_pid PREFIX
perf_wineserver_pid() {
  local pid
  for pid in $(perf_prefix_pids "$1"); do
    [[ $(cat "/proc/$pid/comm" 2>/dev/null) == wineserver* ]] && echo "$pid" && return 0
  done
  return 1
}

# perf_window_shown DISPLAY REGEX: a visible window with that title exists.
perf_window_shown() { [ -n "$(DISPLAY=$1 xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1)" ]; }

# perf_field FILE NAME: the value of a "name value" line the drives print.
perf_field() { awk -v n="$2" '$1 == n { print $2; exit }' "$1" | tr -d '\r'; }

# perf_median NUMBER...: the median (mean of the middle two for an even count).
perf_median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "n/a"; exit }
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# perf_ratio A B: A / B to two places, or n/a.
perf_ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 > 0 && a != "n/a") printf "%.2f", a / b; else print "n/a" }'; }

# perf_result KEY VALUE: records one figure of the run.
perf_result() { printf '%s %s\n' "$1" "$2" >>"$PERF_WORK/results"; }

# perf_get KEY: a recorded figure, or n/a.
perf_get() {
  awk -v k="$1" '$1 == k { $1 = ""; v = substr($0, 2); found = 1 } END { print found ? v : "n/a" }' \
    "$PERF_WORK/results" 2>/dev/null || echo n/a
}
