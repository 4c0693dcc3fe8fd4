#!/usr/bin/env bash
# What one shape request on a window shaped as the keyed-out clock costs the X server, the window manager and
# the compositor, in microseconds of CPU a request: the bounding and the input shape, set whole or changed by
# one band (taken away and added back), on the X server alone, under openbox and under openbox with picom.
# The shape is the keyed clock's own (perf_data_folder's busiest repaint).
#
#   perf/shape_cost.sh NATIVE_BUILD [REQUESTS]    e.g. perf/shape_cost.sh build/bench 100
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: perf/shape_cost.sh NATIVE_BUILD [REQUESTS]}" && pwd)
requests=${2:-100}
# shellcheck source=tests/x11/lib/harness.sh
source "$root/tests/x11/lib/harness.sh"
# shellcheck source=perf/lib.sh
source "$root/perf/lib.sh"

# shape_of_clock FILE: the keyed clock's bounding shape on a plain X server.
shape_of_clock() (
  x11_begin shape-cost
  x11_start_display
  perf_data_folder "$X11_WORK/data"
  sed -i '4s/^[0-9]*/1/' "$X11_WORK/data/quorvendacolor.ini"
  x11_start_program "$X11_WORK/data" "$build/src/app/gtk/quorvenda"
  x11_find_window Quorvenda
  x11_wait_for 10 test -n "$(x11_probe shape "$X11_WINDOW" bounding)" || x11_fail "the clock is not shaped"
  x11_probe shape "$X11_WINDOW" bounding >"$1"
)

# one_cost DESKTOP KIND REQUEST RECTANGLES: a line of the table.
one_cost() (
  local desktop=$1 kind=$2 request=$3 wm=0 part pid line counts
  x11_begin shape-cost
  x11_start_display
  declare -A pids=([x]=${X11_PIDS[0]})
  if [ "$desktop" != none ]; then
    x11_start_desktop openbox
    wm=1
    pids[wm]=$X11_DESKTOP_PID
  fi
  if [ "$desktop" = openbox+picom ]; then
    x11_start_picom
    pids[picom]=$X11_COMPOSITOR_PID
  fi
  "$X11_PYTHON" "$root/perf/shape_requests.py" "$4" "$kind" "$request" "$wm" "$requests" "$X11_WORK/ready" &
  pid=$!
  x11_wait_for 20 test -s "$X11_WORK/ready" || x11_fail "no shaped window"
  declare -A start=()
  for part in "${!pids[@]}"; do start[$part]=$(perf_thread_ns "${pids[$part]}"); done
  wait "$pid"
  read -r counts <"$X11_WORK/ready"
  line="$desktop, $kind shape, $request ($counts rectangles, whole and band):"
  for part in x wm picom; do
    [ -n "${pids[$part]:-}" ] || continue
    line+=" $part $(($(perf_cpu_ns_since "${start[$part]}" "${pids[$part]}") / requests / 1000)) us"
  done
  echo "$line a request"
)

rectangles=$(mktemp /tmp/shape-cost.XXXXXX)
shape_of_clock "$rectangles" || exit 1
for desktop in none openbox openbox+picom; do
  for kind in bounding input; do
    for request in set diff; do one_cost "$desktop" "$kind" "$request" "$rectangles"; done
  done
done
rm -f "$rectangles"
