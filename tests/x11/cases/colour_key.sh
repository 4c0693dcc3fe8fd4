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
      # A black window beneath the clock that notes the clicks it gets.
      x11_probe catch-clicks 0 0 2400 1800 "$X11_WORK/clicks.txt" &
      X11_PIDS+=($!)
      x11_wait_for 10 grep -qs mapped "$X11_WORK/clicks.txt" || x11_fail "the window beneath did not map"
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
