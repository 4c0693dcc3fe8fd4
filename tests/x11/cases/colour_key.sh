# shellcheck shell=bash
# The colour key: with it on, white drops out of the picture and out of the
# input shape, so a click there reaches the window beneath and a click on a
# hand reaches the clock; on a plain X server through the bounding shape, under
# a compositor through an RGBA window. Without it the window is a rectangle.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

# compositor (yes/no) | GDK's scale factor | colour file (red hands)
key_rows=(
  $'no|1|255\n0\n0\n1\n100'
  $'no|2|255\n0\n0\n1\n100'
  $'yes|1|255\n0\n0\n1\n100'
  $'yes|1|255\n0\n0\n1\n50'
  $'no|1|255\n0\n0\n1\n50'
  $'no|1|255\n0\n0\n0\n100'
)

# A black window beneath the clock, the screen's size, that notes the clicks it gets in X11_WORK/clicks.txt.
catch_clicks_beneath() {
  x11_probe catch-clicks 0 0 2400 1800 "$X11_WORK/clicks.txt" &
  X11_PIDS+=($!)
  x11_wait_for 10 grep -qs mapped "$X11_WORK/clicks.txt" || x11_fail "the window beneath did not map"
}

in_shape() { x11_probe in-shape "$X11_WINDOW" "$@"; }
not_in_shape() { ! x11_probe in-shape "$X11_WINDOW" "$@"; }
# The server takes input where both shapes hold the pixel: a bounding shape limits input too.
takes_input() { in_shape input "$@" && in_shape bounding "$@"; }
takes_no_input() { ! takes_input "$@"; }

test_colour_key() {
  local row composited scale colours
  for row in "${key_rows[@]}"; do
    IFS='|' read -r composited scale _ <<<"$row"
    colours=${row#*|*|}
    (
      local keyed=no x y w h hand_x hand_y out_x out_y shot opacity
      [ "$(sed -n 4p <<<"$colours")" != 1 ] || keyed=yes
      opacity=$(sed -n 5p <<<"$colours")
      x11_begin colour-key
      X11_SCREEN=2400x1800x24 x11_start_display
      [ "$composited" = no ] || x11_start_compositor
      catch_clicks_beneath
      clock_folder "$colours" $'会議\n1\n0\n2007\n6\n15'
      # Shapes are set in GTK's logical pixels, the picture is in device pixels.
      GDK_SCALE=$scale X11_FAKETIME=$FROZEN clock_start
      clock_trace "$FROZEN" $((96 * scale))
      read -r x y w h <<<"$(x11_client_rect "$X11_WINDOW")"
      read -r hand_x hand_y <<<"$(month_hand_point)"
      out_x=2 out_y=$((h / 2))  # left of the dial, where only the white fill reaches
      what="compositor $composited, scale $scale, key $keyed, opacity $opacity"

      if [ "$keyed" = yes ]; then
        x11_wait_for 10 takes_no_input "$out_x" "$out_y" || x11_fail "$what: a keyed-out pixel takes input"
        takes_input "$hand_x" "$hand_y" || x11_fail "$what: the month hand takes no input"
        if [ "$composited" = no ]; then
          not_in_shape bounding "$out_x" "$out_y" || x11_fail "$what: a keyed-out pixel is inside the bounding shape"
          in_shape bounding "$hand_x" "$hand_y" || x11_fail "$what: the month hand is outside the bounding shape"
        fi
      else
        in_shape input "$out_x" "$out_y" && in_shape bounding "$out_x" "$out_y" ||
          x11_fail "$what: the window is not a whole rectangle"
      fi

      shot="$X11_WORK/screen.png"
      x11_screenshot "$shot" "$X11_WINDOW"
      local white
      white=$(x11_count_colour "$shot" ffffff)
      if [ "$keyed" = yes ]; then
        [ "$white" -eq 0 ] || x11_fail "$what: $white white pixels on the screen"
        [ "$(x11_pixel "$shot" "$out_x" "$out_y")" = 000000 ] || x11_fail "$what: the window beneath does not show"
      else
        [ "$white" -gt $((w * h / 2)) ] || x11_fail "$what: only $white white pixels"
      fi
      # Without a compositor the opacity shows nowhere: the hand keeps its pen's colour.
      if [ "$opacity" = 100 ] || [ "$composited" = no ]; then
        [ "$(x11_pixel "$shot" "$hand_x" "$hand_y")" = "$YELLOW" ] || x11_fail "$what: the month hand is not $YELLOW"
      else
        # The compositor blends the window with the black beneath.
        local pixel
        pixel=$(x11_pixel "$shot" "$hand_x" "$hand_y")
        [ "$pixel" != "$YELLOW" ] && [ "$pixel" != 000000 ] || x11_fail "$what: the month hand is $pixel, not blended"
      fi

      # Right-clicks: a keyed-out pixel's goes beneath, the hand's reaches the clock.
      if [ "$keyed" = yes ]; then
        xdotool mousemove $((x + out_x)) $((y + out_y)) click 3
        x11_wait_for 10 grep -qs '^press 3 ' "$X11_WORK/clicks.txt" || x11_fail "$what: the click did not go beneath"
      fi
      xdotool mousemove $((x + hand_x)) $((y + hand_y)) click 3
      x11_wait_for 10 _x11_search '確認' || x11_fail "$what: a right-click on the hand asked nothing"
      x11_log "ok: $what"
    ) || exit 1
  done
}

# compositor (yes/no) | GDK's scale factor | the desktop's DPI once the clock runs (a new size, a new picture)
moved_rows=(
  "yes 1 96"
  "yes 1 144"
  "yes 2 96"
  "no 1 96"
)

# _picture_shown SHOT: SHOT, of the clock, shows its picture (the month hand), not what was there before it.
_picture_shown() { x11_screenshot "$1" "$X11_WINDOW" && [ "$(x11_count_colour "$1" "$YELLOW")" -gt 0 ]; }

# _moved_on SHOT: the clock's picture in SHOT is no longer the one in X11_WORK/before.png.
_moved_on() { _clock_differs "$X11_WINDOW" "$X11_WORK/before.png" && cp "$X11_WORK/now.png" "$1"; }

# The running keyed clock, the pointer away from it until it clicks: where the second hand was a moment ago
# a click goes to the window beneath at once, and a click on the month hand reaches the clock.
test_colour_key_follows_the_hands() {
  local row composited scale dpi
  for row in "${moved_rows[@]}"; do
    read -r composited scale dpi <<<"$row"
    (
      local x y w h spot spot_x spot_y hand_x hand_y width what="compositor $composited, scale $scale, $dpi DPI"
      x11_begin colour-key-moves
      X11_SCREEN=2400x1800x24 x11_start_display
      x11_start_xsettings 96
      [ "$composited" = no ] || x11_start_compositor
      catch_clicks_beneath
      xdotool mousemove 0 0
      clock_folder $'255\n0\n0\n1\n100' $'会議\n1\n0\n2007\n6\n15'
      # A second of the clock's lasts four: the picture looked at first is most likely the first it shows.
      GDK_SCALE=$scale X11_FAKETIME="@2007-06-10 12:00:45 x0.25" clock_start
      if [ "$dpi" != 96 ]; then
        x11_xsettings_dpi "$dpi"
        x11_wait_for 10 outer_size_is "$X11_WINDOW" "$(scaled 300 "$dpi") $(scaled 440 "$dpi")" ||
          x11_fail "$what: the clock did not take its size for $dpi DPI"
      fi
      # A second hand's step: the picture before it and after it.
      x11_wait_for 10 _picture_shown "$X11_WORK/before.png" || x11_fail "$what: the clock shows no month hand"
      x11_wait_for 10 _moved_on "$X11_WORK/after.png" || x11_fail "$what: the clock does not move on"
      width=$(identify -format %w "$X11_WORK/after.png")
      convert "$X11_WORK/before.png" -depth 8 "rgb:$X11_WORK/before.rgb"
      convert "$X11_WORK/after.png" -depth 8 "rgb:$X11_WORK/after.rgb"
      spot=$(x11_probe left-spot "$X11_WORK/before.rgb" "$X11_WORK/after.rgb" "$width" 000000) ||
        x11_fail "$what: no pixel the hands left"
      read -r spot_x spot_y <<<"$spot"
      read -r x y w h <<<"$(x11_client_rect "$X11_WINDOW")"
      xdotool mousemove $((x + spot_x)) $((y + spot_y)) click 1
      x11_wait_for 10 grep -qs '^press 1 ' "$X11_WORK/clicks.txt" ||
        x11_fail "$what: a click at ($spot_x, $spot_y), where a hand was drawn a second ago, did not go beneath"
      x11_log "ok: $what: a click where a hand was went beneath"
      xdotool mousemove 0 0
      clock_trace "$FROZEN" $((dpi * scale))
      read -r hand_x hand_y <<<"$(month_hand_point)"
      xdotool mousemove $((x + hand_x)) $((y + hand_y)) click 3
      x11_wait_for 10 _x11_search '確認' || x11_fail "$what: a right-click on the month hand at ($hand_x, $hand_y) asked nothing"
      x11_log "ok: $what: a right-click on the month hand reached the clock"
    ) || exit 1
  done
}
