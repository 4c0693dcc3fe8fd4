#!/usr/bin/env bash
# Builds the native Linux clock (GTK 3) and starts it, in a demo folder whose
# events are dated from today, or in the folder given as the only argument
# (a folder holding quorvendadata1.txt and quorvendacolor.ini).
#
# With a display the clock window appears and the script waits until it is
# closed. Without one the clock runs on a virtual X server for a few seconds;
# a screenshot of its window is saved as a PNG, its path printed, and
# everything started here is stopped again.
#
# Environment: QUORVENDA_SHOT_DELAY (seconds before the screenshot, default 2).
set -euo pipefail
# shellcheck source=scripts/lib/clock_folder.sh
source "$(dirname "$0")/lib/clock_folder.sh"
# shellcheck source=scripts/lib/wine_display.sh
source "$(dirname "$0")/lib/wine_display.sh"
folder=$(clock_folder scripts/run-native-clock.sh "$@")
cd "$(dirname "$0")/.."
root=$PWD

die() { echo "run-native-clock: $*" >&2; exit 1; }

use_clock_folder "$folder" "$root"
folder=$CLOCK_FOLDER

program=$root/build/native/src/app/gtk/quorvenda
echo "== building quorvenda"
# A folder already configured (by the test command's native-ci, say) keeps
# its settings: configuring it anew with other flags would rebuild it all.
[ -f "$root/build/native/CMakeCache.txt" ] || cmake --preset native >/dev/null
# Only the program: not the unit tests and tools.
cmake --build --preset native --target quorvenda -j"$(nproc 2>/dev/null || echo 2)"
[ -x "$program" ] || die "build produced no $program"

# The native preset builds with AddressSanitizer: GTK's caches, kept for the
# life of the process, are no leaks to report when the clock is closed.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
cd "$folder"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "== starting the clock in $folder (close its window to stop)"
  exec "$program"
fi

pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ -n "${WINE_XVFB_PID:-}" ]; then wine_display_stop "$WINE_XVFB_PID"; fi
}
trap cleanup EXIT
wine_display_start /dev/null || die "the virtual X server did not start"
export DISPLAY=$WINE_DISPLAY NO_AT_BRIDGE=1
echo "== virtual X server on $DISPLAY"
"$program" >/dev/null 2>&1 &
pids+=($!)
clock_window() { window=$(xdotool search --onlyvisible --name '^Quorvenda' 2>/dev/null | head -1) && [ -n "$window" ]; }
wine_wait_for 30 clock_window || die "the clock window did not appear"
sleep "${QUORVENDA_SHOT_DELAY:-2}"

geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
  /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print w "x" h "+" x "+" y }')
mkdir -p "$root/build/screenshots"
shot=$root/build/screenshots/quorvenda-linux-$(date +%Y%m%d-%H%M%S).png
import -window root -crop "$geometry" +repage "$shot"
echo "== screenshot of the clock window ($geometry): $shot"
