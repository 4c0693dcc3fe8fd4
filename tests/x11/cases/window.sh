# shellcheck shell=bash
# The clock's window: where it opens and how large, frame included, at two
# DPIs with and without a window manager; its UTF-8 title and its opacity.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

# dpi, window manager (yes/no): the outer rectangle is the design's at that DPI.
placement_rows=(
  "96 no"
  "96 yes"
  "144 no"
  "144 yes"
)

test_placement() {
  local row dpi wm want got
  for row in "${placement_rows[@]}"; do
    read -r dpi wm <<<"$row"
    (
      x11_begin placement
      X11_SCREEN=1600x1200x24 x11_start_display
      x11_set_dpi "$dpi"
      [ "$wm" = no ] || x11_start_window_manager
      clock_folder "$BLACK_OPAQUE" "$MEETING"
      clock_start
      want="$(scaled 150 "$dpi") $(scaled 100 "$dpi") $(scaled 300 "$dpi") $(scaled 440 "$dpi")"
      # With a window manager the client is fitted once the frame is known.
      x11_wait_for 10 outer_rect_is "$X11_WINDOW" "$want" ||
        x11_fail "at $dpi DPI, window manager $wm: outer rectangle $(x11_outer_rect "$X11_WINDOW"), want $want"
      if [ "$wm" = no ]; then
        got=$(x11_client_rect "$X11_WINDOW")
        [ "$got" = "$want" ] || x11_fail "at $dpi DPI without a window manager the client is $got, want $want"
      fi
      x11_log "ok: $dpi DPI, window manager $wm: $want"
    ) || exit 1
  done
}

# colour file | window alpha, which the opacity property carries as alpha × 0x01010101 (255: no property,
# as for any opaque window; -28 wraps to 255 as on Windows)
opacity_rows=(
  $'0\n0\n0\n0\n50|155'
  $'0\n0\n0\n0\n0|55'
  $'0\n0\n0\n1\n30|115'
  $'0\n0\n0\n0\n100|255'
  $'0\n0\n0\n0\n-28|255'
)

test_title_and_opacity() {
  local row colours want got
  x11_begin title
  x11_start_display
  for row in "${opacity_rows[@]}"; do
    colours=${row%|*}
    want=$((${row##*|} * 0x01010101))
    [ "${row##*|}" != 255 ] || want=
    rm -rf "$X11_WORK/clock"
    clock_folder "$colours" "$MEETING"
    clock_start
    got=$(clock_title "$X11_WINDOW")
    [ "$got" = "$CREATION_TITLE" ] || x11_fail "the title is '$got', want '$CREATION_TITLE'"
    got=$(x11_probe cardinal "$X11_WINDOW" _NET_WM_WINDOW_OPACITY)
    [ "$got" = "$want" ] || x11_fail "opacity line $(tail -1 <<<"$colours"): _NET_WM_WINDOW_OPACITY '$got', want '$want'"
    x11_log "ok: opacity line $(tail -1 <<<"$colours"): '$got'"
    kill "$X11_PROGRAM_PID"
    x11_wait_exit 10 || x11_fail "the clock did not end"
  done
}

# Slot 1: name dial-flag text-flag y m d | whether the file is deleted once the clock has read it | the title
# after the first title-timer tick, on 2007-05-04. libfaketime runs every clock of the program, GLib's
# monotonic one included, 600 times as fast, so the ten-minute timer fires within a second.
title_rows=(
  "会議 1 1 2008 3 1|keep|9ヶ月 28日・Quorvenda"
  "会議 1 0 2007 5 20|keep|一番目の文字は非表示　Quorvenda"
  "会議 1 1 2007 5 20|delete|16日間・Quorvenda"
)

title_is() { [ "$(clock_title "$X11_WINDOW")" = "$1" ]; }

test_title_timer() {
  local row event file want
  x11_begin title-timer
  x11_start_display
  for row in "${title_rows[@]}"; do
    IFS='|' read -r event file want <<<"$row"
    rm -rf "$X11_WORK/clock"
    clock_folder "$BLACK_OPAQUE" "$(tr ' ' '\n' <<<"$event")"
    X11_FAKETIME='@2007-05-04 12:00:00 x600' FAKETIME_DONT_FAKE_MONOTONIC=0 clock_start
    # The first repaint, which reads the file, runs before the window maps.
    [ "$file" = keep ] || rm "$CLOCK_FOLDER/quorvendadata1.txt"
    x11_wait_for 20 title_is "$want" || x11_fail "$event ($file): the title is '$(clock_title "$X11_WINDOW")', want '$want'"
    x11_log "ok: $event ($file): $want"
    kill "$X11_PROGRAM_PID"
    x11_wait_exit 10 || x11_fail "the clock did not end"
  done
}

# The desktop's DPI changes while the clock runs (an XSETTINGS manager's Xft/DPI): the window takes the
# design's size at the new DPI and the dial is drawn for it, with and without a window manager.
traced_lines_shown() {
  x11_screenshot "$X11_WORK/dial.png" "$X11_WINDOW" && (expect_traced_lines "$X11_WORK/dial.png") >/dev/null 2>&1
}

test_dpi_change() {
  local wm when='2007-06-10 12:00:00' dpi want
  for wm in no yes; do
    (
      x11_begin dpi-change
      X11_SCREEN=1600x1200x24 x11_start_display
      x11_start_xsettings 96
      [ "$wm" = no ] || x11_start_window_manager
      clock_folder "$BLACK_OPAQUE" $'会議\n1\n0\n2007\n6\n15'
      X11_FAKETIME=$when clock_start
      for dpi in 96 144 120; do
        [ "$dpi" = 96 ] || x11_xsettings_dpi "$dpi"
        want="$(scaled 300 "$dpi") $(scaled 440 "$dpi")"
        x11_wait_for 10 outer_size_is "$X11_WINDOW" "$want" ||
          x11_fail "window manager $wm, $dpi DPI: outer size $(x11_outer_rect "$X11_WINDOW"), want $want"
        clock_trace "$when" "$dpi"
        x11_wait_for 10 traced_lines_shown || expect_traced_lines "$X11_WORK/dial.png"
        x11_log "ok: window manager $wm, $dpi DPI: outer size $want, the dial traced for it"
      done
    ) || exit 1
  done
}
