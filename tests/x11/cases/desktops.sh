# shellcheck shell=bash
# The clock on the desktops people use (window managers with and without
# their compositors), over a desktop background of one colour, neither black
# nor white, so that a keyed-out or half-transparent pixel shows what it lets
# through: place and frame, the colour key, opacity and the window manager's
# close on each; the compositor stopped and started under a running keyed
# clock; the window manager replaced under a running clock.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

KEYED=$'255\n0\n0\n1\n100'  # red hands and texts, white keyed out, opaque
HALF=$'255\n0\n0\n0\n50'    # the same, not keyed, window alpha 155
NO_LINE=$'会議\n1\n0\n2007\n6\n15' # the dial as the trace draws it: no countdown line
DESIGN='150 100 300 440'    # the outer rectangle at 96 DPI
CLOSE_CAPTION='終了確認'
TEXT_RED=ff0000 # the colour of slot 1's countdown line

# KEYED_MISSES: what the last look at the keyed clock found wrong.
KEYED_MISSES=

# keyed_out_shows COLOUR: every keyed-out pixel of the clock (where it takes no input) shows COLOUR.
# The pointer rests on the clock's corner, as a user's might; a layout that moved since the clock
# last set its shape would show as drawn pixels outside the shape.
keyed_out_shows() {
  local shot="$X11_WORK/keyed.png" width x y
  read -r x y _ <<<"$(x11_client_rect "$X11_WINDOW")"
  xdotool mousemove "$x" "$y"
  x11_screenshot "$shot" "$X11_WINDOW"
  convert "$shot" -depth 8 "rgb:$X11_WORK/keyed.rgb"
  width=$(identify -format %w "$shot")
  KEYED_MISSES=$(x11_probe keyed-out "$X11_WORK/keyed.rgb" "$width" "$X11_WINDOW" "$1")
}

# texts_blend COLOUR: beside the first countdown line (its shadow included, at the top of the client, the
# dial well below), in the screenshot keyed_out_shows took, every pixel is a blend of the text and COLOUR.
texts_blend() {
  local width
  width=$(identify -format %w "$X11_WORK/keyed.png")
  KEYED_MISSES+=$(x11_probe halo "$X11_WORK/keyed.rgb" "$width" 0 0 "$width" 24 "$TEXT_RED" "$1")
}

# floats_over COLOUR: the keyed clock shows COLOUR beneath, also at the edges of its texts.
floats_over() { keyed_out_shows "$1" && texts_blend "$1"; }

# hand_over COLOUR X Y: the keyed clock shows COLOUR beneath, and the month hand its pen's colour at (X, Y).
hand_over() {
  keyed_out_shows "$1" || return 1
  local pixel
  pixel=$(x11_pixel "$X11_WORK/keyed.png" "$2" "$3")
  [ "$pixel" = "$YELLOW" ] && return 0
  KEYED_MISSES="the month hand at ($2, $3) is $pixel, not $YELLOW"
  return 1
}

# blend RRGGBB ALPHA BENEATH: RRGGBB at ALPHA / 255 over BENEATH, as a compositor draws a translucent window.
blend() {
  local at
  for at in 0 2 4; do
    printf %02x $(((16#${1:at:2} * $2 + 16#${3:at:2} * (255 - $2) + 127) / 255))
  done
}

# pixel_near SHOT X Y RRGGBB: the pixel is within 3 of RRGGBB in each channel (compositors round their own way).
pixel_near() {
  local pixel at
  pixel=$(x11_pixel "$1" "$2" "$3")
  for at in 0 2 4; do
    [ $((16#${pixel:at:2} - 16#${4:at:2})) -le 3 ] && [ $((16#${4:at:2} - 16#${pixel:at:2})) -le 3 ] || return 1
  done
}

background_near() {
  x11_screenshot "$X11_WORK/half.png" "$X11_WINDOW" && pixel_near "$X11_WORK/half.png" 2 $(($2 / 2)) "$1"
}

# close_through_window_manager WHAT: the window manager's close (as its close button), the question answered
# with OK, and the clock ends with 0.
close_through_window_manager() {
  wmctrl -i -c "$X11_WINDOW" || x11_fail "$1: wmctrl could not close the clock"
  x11_wait_for 10 _x11_search "$CLOSE_CAPTION" || x11_fail "$1: no close question"
  timeout 10 xdotool windowactivate --sync "$X11_WINDOW" key --clearmodifiers Return 2>/dev/null
  x11_wait_exit 10 || x11_fail "$1: the clock still runs after OK"
  [ "$X11_EXIT_CODE" -eq 0 ] || x11_fail "$1: exit code $X11_EXIT_CODE"
}

# desktop (x11_start_desktop), whether a compositor draws it, the colour of its background
desktop_rows=(
  "openbox-picom yes 0000ff"
  "xfwm4 no 0000ff"
  "xfwm4-compositor yes 203c64"
  "mutter yes b4d2f0"
)

test_desktops() {
  local row desktop composited beneath
  for row in "${desktop_rows[@]}"; do
    read -r desktop composited beneath <<<"$row"
    (
      local hand_x hand_y h want
      x11_begin desktops
      x11_start_display
      x11_start_desktop "$desktop"
      x11_start_backdrop "$beneath"

      clock_folder "$KEYED" "$NO_LINE"
      X11_FAKETIME=$FROZEN clock_start
      x11_wait_for 10 outer_rect_is "$X11_WINDOW" "$DESIGN" ||
        x11_fail "$desktop: outer rectangle $(x11_outer_rect "$X11_WINDOW"), want $DESIGN"
      clock_trace "$FROZEN" 96
      read -r hand_x hand_y <<<"$(month_hand_point)"
      x11_wait_for 10 hand_over "$beneath" "$hand_x" "$hand_y" || x11_fail "$desktop, keyed:"$'\n'"$KEYED_MISSES"
      x11_log "ok: $desktop: $DESIGN; keyed out over $beneath, the month hand $YELLOW"
      close_through_window_manager "$desktop"
      x11_log "ok: $desktop: closed by the window manager, OK, exit code 0"

      rm -r "$CLOCK_FOLDER"
      clock_folder "$HALF" "$NO_LINE"
      X11_FAKETIME=$FROZEN clock_start
      x11_wait_for 10 outer_rect_is "$X11_WINDOW" "$DESIGN" || x11_fail "$desktop, opacity 50: not at $DESIGN"
      want=ffffff
      [ "$composited" = no ] || want=$(blend ffffff 155 "$beneath")
      read -r _ _ _ h <<<"$(x11_client_rect "$X11_WINDOW")"
      x11_wait_for 10 background_near "$want" "$h" ||
        x11_fail "$desktop, opacity 50: the background is $(x11_pixel "$X11_WORK/half.png" 2 $((h / 2))), want $want"
      x11_log "ok: $desktop, opacity 50: the background is $want"
    ) || exit 1
  done
}

# The compositor's state as the keyed clock starts, then after each switch while it runs, over blue.
switch_rows=(
  "running stopped running"
  "stopped running stopped"
)

RECORDER_PID=
RECORDED_OFFSET= # where the client area begins in each recording
MARGIN=10 # columns of the desktop left of the frame in each recording: whether anyone drew the screen

# start_recording: the clock's client area and the desktop left of it recorded, frame after frame, in
# X11_WORK/frames until stop_recording.
_recorded() { compgen -G "$X11_WORK/frames/*.rgb" >/dev/null; }
start_recording() {
  local x y w h frame_x
  read -r x y w h <<<"$(x11_client_rect "$X11_WINDOW")"
  rm -rf "$X11_WORK/frames"
  mkdir "$X11_WORK/frames"
  read -r frame_x _ <<<"$(x11_outer_rect "$X11_WINDOW")"
  RECORDED_OFFSET=$((x - frame_x + MARGIN))
  # Not through x11_probe: the process to stop is Python's own.
  "$X11_PYTHON" "$X11_LIB_DIR/xprobe.py" record "$X11_WINDOW" $((x - RECORDED_OFFSET)) "$y" $((w + RECORDED_OFFSET)) "$h" \
    "$X11_WORK/frames" &
  RECORDER_PID=$!
  X11_PIDS+=("$RECORDER_PID")
  x11_wait_for 5 _recorded || x11_fail "nothing recorded"
}

stop_recording() {
  kill "$RECORDER_PID"
  wait "$RECORDER_PID" 2>/dev/null
  _x11_forget "$RECORDER_PID"
}

# Every switch is recorded from the picture before it until the clock floats again: no recording may show
# white or black where the desktop shows both before and after, as an unshaped picture of either kind would,
# nor white anywhere: the keyed clock never shows its key.
test_compositor_switches() {
  local row state history misses=() beneath=0000ff flashes width settle
  x11_begin compositor-switches
  x11_start_display
  x11_start_desktop openbox
  x11_start_backdrop "$beneath"
  clock_folder "$KEYED" "$MEETING"
  for row in "${switch_rows[@]}"; do
    history=
    for state in $row; do
      ! x11_program_running || start_recording
      if [ "$state" = running ] && [ -z "$X11_COMPOSITOR_PID" ]; then
        x11_start_picom
      elif [ "$state" = stopped ] && [ -n "$X11_COMPOSITOR_PID" ]; then
        x11_stop_compositor
      fi
      history+="${history:+, then }picom $state"
      x11_program_running || X11_FAKETIME=$FROZEN clock_start
      if x11_wait_for 5 floats_over "$beneath"; then
        x11_log "ok: $history"
      else
        misses+=("$history:"$'\n'"$KEYED_MISSES")
      fi
      if [ -n "$RECORDER_PID" ]; then
        stop_recording
        RECORDER_PID=
        settle=
        [ "$state" != stopped ] || settle=settled
        width=$(identify -format %w "$X11_WORK/keyed.png")
        # When the compositor stops, what the screen shows until the window manager has copied the clock's new
        # shape onto its frame is out of the clock's hands: only the picture each shape settles on counts.
        flashes=$(x11_probe flashes "$X11_WORK/frames" "$X11_WORK/steady.rgb" "$X11_WORK/keyed.rgb" "$width" "$beneath" \
          "$MARGIN" "$RECORDED_OFFSET" ${settle:+"$settle"}) ||
          misses+=("$history, while it switched:"$'\n'"$flashes")
        x11_log "  $(find "$X11_WORK/frames" -name '*.rgb' | wc -l) recordings while it switched"
      fi
      cp "$X11_WORK/keyed.rgb" "$X11_WORK/steady.rgb"
    done
    kill "$X11_PROGRAM_PID"
    x11_wait_exit 10 || x11_fail "the clock did not end"
    [ -z "$X11_COMPOSITOR_PID" ] || x11_stop_compositor
  done
  [ ${#misses[@]} -eq 0 ] ||
    x11_fail "the keyed clock over $beneath, started at the first state:"$'\n'"$(printf '%s\n' "${misses[@]}")"
}

# The window manager the clock starts under, before openbox replaces it.
replaced_rows=(xfwm4 mutter)

frame_of() { xwininfo -tree -id "$1" | awk '/Parent window id:/ { print $4 }'; }
framed_anew() { [ "$(frame_of "$X11_WINDOW")" != "$1" ]; }

test_window_manager_replaced() {
  local desktop
  for desktop in "${replaced_rows[@]}"; do
    (
      local frame
      x11_begin wm-replaced
      x11_start_display
      x11_start_desktop "$desktop"
      clock_folder "$BLACK_OPAQUE" "$MEETING"
      clock_start
      x11_wait_for 10 outer_rect_is "$X11_WINDOW" "$DESIGN" || x11_fail "$desktop: not at $DESIGN"
      frame=$(frame_of "$X11_WINDOW")
      x11_replace_window_manager
      x11_wait_for 10 framed_anew "$frame" || x11_fail "$desktop: openbox did not frame the clock"
      x11_wait_for 10 outer_rect_is "$X11_WINDOW" "$DESIGN" ||
        x11_fail "$desktop, replaced by openbox: outer rectangle $(x11_outer_rect "$X11_WINDOW"), want $DESIGN"
      x11_log "ok: $desktop replaced by openbox: $DESIGN"
    ) || exit 1
  done
}
