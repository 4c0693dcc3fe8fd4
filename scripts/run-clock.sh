#!/usr/bin/env bash
# Builds quorvenda.exe and starts the clock under Wine, in a demo folder whose
# events are dated from today, or in the folder given as the only argument
# (a folder holding quorvendadata1.txt and quorvendacolor.ini).
#
# With a display the clock window appears and the script waits until it is
# closed. Without one the clock runs on a virtual X server for a few seconds;
# a screenshot of its window is saved as a PNG, its path printed, and
# everything started here is stopped again.
#
# Environment: WINEPREFIX (default ~/.wine-quorvenda), QUORVENDA_SHOT_DELAY
# (seconds before the screenshot, default 4).
set -euo pipefail
# shellcheck source=scripts/lib/clock_folder.sh
source "$(dirname "$0")/lib/clock_folder.sh"
# shellcheck source=scripts/lib/wine_display.sh
source "$(dirname "$0")/lib/wine_display.sh"
folder=$(clock_folder scripts/run-clock.sh "$@")
cd "$(dirname "$0")/.."
root=$PWD

die() { echo "run-clock: $*" >&2; exit 1; }

use_clock_folder "$folder" "$root"
folder=$CLOCK_FOLDER

exe=$root/build/windows/src/app/quorvenda.exe
if [ -f "$exe" ]; then
  echo "== building quorvenda.exe"
else
  echo "== building quorvenda.exe (the first build takes a minute or two)"
fi
# A folder already configured (by the test command's windows-ci, say) keeps
# its settings: configuring it anew with other flags would rebuild it all.
[ -f "$root/build/windows/CMakeCache.txt" ] || cmake --preset windows >/dev/null
# Only the program: not the tests' helpers and measuring programs.
cmake --build --preset windows --target quorvenda -j"$(nproc 2>/dev/null || echo 2)"
[ -f "$exe" ] || die "build produced no $exe"

# Japanese locale: code page 932.
wine_env ja_JP.UTF-8
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-quorvenda}

# Without a display: the clock and the virtual X server stop with the script.
cleanup() {
  wine_prefix_stop "$WINEPREFIX"
  if [ -n "${WINE_XVFB_PID:-}" ]; then wine_display_stop "$WINE_XVFB_PID"; fi
}

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
  trap cleanup EXIT
  wine_display_start /dev/null || die "the virtual X server did not start"
  export DISPLAY=$WINE_DISPLAY
  echo "== virtual X server on $DISPLAY"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== creating the Wine prefix $WINEPREFIX (once, about 15 s)"
  wine_prefix_create "$WINEPREFIX" || die "wineboot could not create the Wine prefix $WINEPREFIX"
fi
# A desktop's window manager draws the frames; on the virtual X server Wine does.
if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  wine_frames_drawn_by window-manager
else
  wine_frames_drawn_by wine
fi

cd "$folder"
if [ "$headless" -eq 0 ]; then
  echo "== starting the clock in $folder (close its window to stop)"
  exec wine "$exe"
fi

wine "$exe" >/dev/null 2>&1 &
wine_wait_for 30 wine_program_window_shown "${exe##*/}" || die "the clock window did not appear"
window=$(wine_program_window "${exe##*/}")
sleep "${QUORVENDA_SHOT_DELAY:-4}"

read -r x y width height <<<"$(wine_window_geometry "$window")"
geometry=${width}x$height+$x+$y
mkdir -p "$root/build/screenshots"
shot=$root/build/screenshots/quorvenda-$(date +%Y%m%d-%H%M%S).png
import -window root -crop "$geometry" +repage "$shot"
echo "== screenshot of the clock window ($geometry): $shot"
