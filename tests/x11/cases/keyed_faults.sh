# shellcheck shell=bash
# Faults of the redraw-what-changed and shaped clock that a frozen picture
# hides: the bounding shape left on the window once a compositor draws it
# (the rim of every moving stroke cut off), and a ticking clock at scale 2
# whose queued region misses a sliver of what it drew (stale pixels beside
# each moved hand), compared against a clock started afresh at each second.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

KEYED_RED=$'255\n0\n0\n1\n100' # red hands and texts, white keyed out, opaque
PLAIN_RED=$'255\n0\n0\n0\n100' # the same without the key

# bounding_is_whole WINDOW: the window's bounding shape is one rectangle, the whole window (as when unset).
bounding_is_whole() {
  local w h
  read -r _ _ w h <<<"$(x11_client_rect "$1")"
  [ "$(x11_probe shape "$1" bounding)" = "0 0 $w $h" ]
}
bounding_is_cut() { ! bounding_is_whole "$1"; }

test_bounding_shape_cleared_when_a_compositor_starts() {
  x11_begin shape-cleared
  x11_start_display
  x11_start_desktop openbox
  clock_folder "$KEYED_RED" "$MEETING"
  # A ticking clock: under a compositor that has just started, the first picture's drawn pixels bound the
  # window until the next change, so that nothing shows unshaped before the compositor draws.
  X11_FAKETIME='' clock_start
  # Shaped first: white keyed out by the bounding shape, as on any server without a compositor.
  x11_wait_for 10 bounding_is_cut "$X11_WINDOW" || x11_fail "the keyed clock is not shaped without a compositor"
  x11_start_picom
  # Under the compositor the picture's alpha keys white out: a bounding shape left from before would
  # cut off every pixel a hand has moved to since.
  x11_wait_for 10 bounding_is_whole "$X11_WINDOW" ||
    x11_fail "under picom the bounding shape still has $(x11_probe shape "$X11_WINDOW" bounding | wc -l) rectangles"
  x11_log "ok: the bounding shape is the whole window once picom runs"
}

# The seconds a ticking clock is stepped through from its start, a minute's end among them.
STEP_START='2007-06-10 12:00:57'
step_rows=('2007-06-10 12:00:58' '2007-06-10 12:00:59' '2007-06-10 12:01:00' '2007-06-10 12:01:01'
  '2007-06-10 12:01:09')

# _shots_agree TICKING FRESH: the client areas of the clocks in windows TICKING
# and FRESH (each "display window"), the same size, show the same pixels.
_shots_agree() {
  local display window
  read -r display window <<<"$1"
  DISPLAY=$display x11_screenshot "$X11_WORK/ticking.png" "$window" || return 1
  read -r display window <<<"$2"
  DISPLAY=$display x11_screenshot "$X11_WORK/fresh.png" "$window" || return 1
  cmp -s <(convert "$X11_WORK/ticking.png" rgb:-) <(convert "$X11_WORK/fresh.png" rgb:-)
}

# ticking_matches_fresh COLOURS: at GDK_SCALE=2, a clock whose faked time
# steps through step_rows shows, after each step, exactly the pixels of a
# clock started afresh at that second (on a second server of the same size).
ticking_matches_fresh() {
  local colours=$1 ticking_display fresh_display ticking fresh at stamp differing
  stamp="$X11_WORK/faked-now"
  X11_SCREEN=1600x1200x24 x11_start_display
  ticking_display=$DISPLAY
  X11_SCREEN=1600x1200x24 x11_start_display
  fresh_display=$DISPLAY
  clock_folder "$colours" "$MEETING"
  echo "$STEP_START" >"$stamp"
  # The faked time read from the file at every call (libfaketime takes FAKETIME first, so it goes).
  DISPLAY=$ticking_display GDK_SCALE=2 X11_FAKETIME=$STEP_START x11_start_program "$CLOCK_FOLDER" \
    env -u FAKETIME FAKETIME_TIMESTAMP_FILE="$stamp" FAKETIME_NO_CACHE=1 "$X11_PROGRAM"
  DISPLAY=$ticking_display x11_find_window Quorvenda
  ticking="$ticking_display $X11_WINDOW"
  for at in "${step_rows[@]}"; do
    DISPLAY=$fresh_display GDK_SCALE=2 X11_FAKETIME=$at x11_start_program "$CLOCK_FOLDER" "$X11_PROGRAM"
    DISPLAY=$fresh_display x11_find_window Quorvenda
    fresh="$fresh_display $X11_WINDOW"
    # Replaced whole: a clock reading a half-written file would see the real time.
    echo "$at" >"$stamp.new" && mv "$stamp.new" "$stamp"
    # The next tick draws the changes; until then, and while the fresh clock draws its first picture, they differ.
    if ! x11_wait_for 5 _shots_agree "$ticking" "$fresh"; then
      differing=$(compare -metric AE "$X11_WORK/ticking.png" "$X11_WORK/fresh.png" "$X11_WORK/difference.png" 2>&1)
      x11_fail "$at: the ticking clock differs from a fresh one in $differing pixels (ticking.png, fresh.png, difference.png)"
    fi
    kill "$X11_PROGRAM_PID"
    x11_wait_exit 10 || x11_fail "the fresh clock did not end"
    _x11_forget "$X11_PROGRAM_PID"
    x11_log "ok: $at, the same pixels as a fresh clock"
  done
}

test_ticking_clock_at_scale_2_shows_a_whole_repaint() {
  local colours
  for colours in "$KEYED_RED" "$PLAIN_RED"; do
    (
      x11_begin ticking-scale-2
      ticking_matches_fresh "$colours"
      x11_log "ok: key $(sed -n 4p <<<"$colours")"
    ) || exit 1
  done
}
