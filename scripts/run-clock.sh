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

# note_missing FILE WHAT_THE_CLOCK_SHOWS: one line when the folder lacks FILE.
# The clock starts all the same, as it would on Windows.
note_missing() {
  [ -e "$folder/$1" ] || echo "== no $1 in $folder: $2 (an example: $root/examples/$1)"
}
demo=0
if [ -n "$folder" ]; then
  note_missing quorvendadata1.txt "the clock shows no events"
  note_missing quorvendacolor.ini "the hands are black and the window opaque"
else
  folder=$root/build/demo
  demo=1
fi

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

# One Shift-JIS line with CR LF.
sjis_line() { printf '%s\r\n' "$1" | iconv -f UTF-8 -t CP932; }

# Six lines of one event slot: name, dial flag, text flag, year, month, day.
event_slot() {
  local name=$1 dial=$2 text=$3 when=$4
  sjis_line "$name"; sjis_line "$dial"; sjis_line "$text"
  sjis_line "$(date -d "$when" +%Y)"; sjis_line "$(date -d "$when" +%-m)"; sjis_line "$(date -d "$when" +%-d)"
}

write_demo_folder() {
  mkdir -p "$folder"
  {
    event_slot "今日の予定" 1 1 "today"
    event_slot "打ち合わせ" 1 1 "today + 3 days"
    event_slot "締め切り" 1 1 "today + 12 days"
    event_slot "誕生日" 1 1 "today + 2 months"
    event_slot "旅行" 0 1 "today + 1 year + 3 months"
    event_slot "記念日" 1 0 "today - 5 days"
    event_slot "" 0 0 "today"
  } >"$folder/quorvendadata1.txt"
  # Navy hands; white background kept; fully opaque.
  { sjis_line 0; sjis_line 0; sjis_line 128; sjis_line 0; sjis_line 100; } >"$folder/quorvendacolor.ini"
  echo "== demo folder: $folder"
}
[ "$demo" -eq 0 ] || write_demo_folder

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
