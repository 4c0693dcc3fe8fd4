# shellcheck shell=bash
# Faults of the redraw-what-changed and shaped clock that a frozen picture
# hides: the bounding shape left on the window once a compositor draws it
# (the rim of every moving stroke cut off).
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

KEYED_RED=$'255\n0\n0\n1\n100' # red hands and texts, white keyed out, opaque

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
  X11_FAKETIME=$FROZEN clock_start
  # Shaped first: white keyed out by the bounding shape, as on any server without a compositor.
  x11_wait_for 10 bounding_is_cut "$X11_WINDOW" || x11_fail "the keyed clock is not shaped without a compositor"
  x11_start_picom
  # Under the compositor the picture's alpha keys white out: a bounding shape left from before would
  # cut off every pixel a hand has moved to since.
  x11_wait_for 10 bounding_is_whole "$X11_WINDOW" ||
    x11_fail "under picom the bounding shape still has $(x11_probe shape "$X11_WINDOW" bounding | wc -l) rectangles"
  x11_log "ok: the bounding shape is the whole window once picom runs"
}
