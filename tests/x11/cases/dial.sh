# shellcheck shell=bash
# What the native clock draws: the dial at fixed dates against the trace
# tool's record of the same repaint, at two DPIs; the texts; the repaint on
# each second of a running clock.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

# DPI | frozen date and time (the black hands clear of the others) | slot 1: name dial-flag text-flag y m d
dial_rows=(
  "96|2007-06-10 12:00:00|会議 1 0 2007 6 15"
  "96|2008-02-29 08:20:40|会議 1 0 2030 1 1"
  "144|2007-12-31 03:45:15|会議 1 0 2008 1 20"
)

test_dial_against_trace() {
  local row dpi when event w h reddish
  for row in "${dial_rows[@]}"; do
    IFS='|' read -r dpi when event <<<"$row"
    (
      x11_begin dial
      X11_SCREEN=1600x1200x24 x11_start_display
      x11_set_dpi "$dpi"
      clock_folder $'255\n0\n0\n0\n100' "$(tr ' ' '\n' <<<"$event")"
      X11_FAKETIME=$when clock_start
      clock_trace "$when" "$dpi"
      x11_screenshot "$X11_WORK/dial.png" "$X11_WINDOW"
      expect_traced_lines "$X11_WORK/dial.png"
      read -r _ _ w h <<<"$(x11_client_rect "$X11_WINDOW")"
      # The clock texts at the bottom right in the hand colour (red; antialiased, so reddish), as glyphs of some size.
      reddish=$(convert "$X11_WORK/dial.png" -crop "$((w / 3))x$((h / 8))+$((w * 2 / 3))+$((h * 7 / 8))" +repage \
        -fx 'r > 0.5 && g < 0.4 && b < 0.4' -format '%[fx:round(mean * w * h)]' info:)
      [ "$reddish" -ge $((w * h / 400)) ] || x11_fail "$reddish reddish pixels of clock texts at the bottom right"
      [ "$(x11_pixel "$X11_WORK/dial.png" 2 $((h / 2)))" = ffffff ] || x11_fail "the background is not white"
      x11_log "ok: $dpi DPI, $when"
    ) || exit 1
  done
}

# The shown second turns over with a running clock: three repaints that change the picture.
test_repaint_each_second() {
  local turn
  x11_begin repaint
  x11_start_display
  clock_folder "$BLACK_OPAQUE" "$MEETING"
  X11_FAKETIME='@2007-06-10 12:00:00' clock_start
  x11_screenshot "$X11_WORK/second-0.png" "$X11_WINDOW"
  for turn in 1 2 3; do
    clock_wait_repaint "$X11_WINDOW" "$X11_WORK/second-$((turn - 1)).png" ||
      x11_fail "the picture did not change after repaint $turn"
    cp "$X11_WORK/now.png" "$X11_WORK/second-$turn.png"
  done
}
