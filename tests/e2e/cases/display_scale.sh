# shellcheck shell=bash
# The clock on screens scaled to 125 %, 150 % and 200 %: it opens where a
# 96-DPI window stretched by the system would stand, and draws itself sharp
# at that DPI, every fixed size scaled: pens, text shadows, the mark circles,
# the texts in the system font of that DPI. And WM_DPICHANGED, which Windows
# sends when the window moves to a monitor of another scale.

# e2e_use_dpi DPI: the test's Wine processes run from here on in a prefix
# whose system DPI (LogPixels) is DPI, which Wine reads when a process
# starts. One prefix per DPI and run, copied from the run's prefix on first
# use (seconds, where a new one takes fifteen), on a screen large enough.
e2e_use_dpi() {
  local prefix="$E2E_PREFIX-dpi-$1"
  if [ ! -d "$prefix" ]; then
    rm -rf "$prefix.partial"
    cp -a "$E2E_PREFIX" "$prefix.partial" || e2e_fail "copying the prefix"
    wine_prefix_set_dpi "$prefix.partial" "$1" || e2e_fail "setting the system DPI to $1"
    mv "$prefix.partial" "$prefix"
  fi
  # shellcheck disable=SC2034 # read by e2e_trace_dial
  E2E_PREFIX=$prefix E2E_DPI=$1
  e2e_wine_env
  e2e_log "system DPI $1 (prefix $prefix)"
  # A screen that holds the window at 200 % (600 x 880 at (300, 200)).
  wine_display_stop "$WINE_XVFB_PID"
  WINE_SCREEN=1600x1200x24 e2e_start_display
}

# e2e_pen_width SHOT RRGGBB X Y: how many pixels of the colour run through
# row Y from X, to either side: a near-vertical line's width.
e2e_pen_width() {
  "$E2E_CONVERT" "$1" -crop "41x1+$(($3 - 20))+$4" +repage -depth 8 txt:- |
    awk -v c="#$(tr 'a-f' 'A-F' <<<"$2")" '$3 == c { n++ } END { print n + 0 }'
}

# e2e_expect_circle SHOT RRGGBB LEFT TOP RIGHT BOTTOM: the circle of that
# bounding box shows in the colour at its leftmost and rightmost points.
e2e_expect_circle() {
  local y=$((($4 + $6) / 2)) x
  for x in "$3" "$(($5 - 1))"; do
    e2e_check "the circle $3 $4 $5 $6 is drawn at ($x, $y)" \
      [ "$(e2e_count_colour "$1" $((x - 1)) $((y - 1)) 3 3 "$2")" -gt 0 ]
  done
}

# e2e_clear_of_circle X Y WIDTH HEIGHT: the rectangle lies wholly outside the dial's outer circle.
e2e_clear_of_circle() {
  awk -v x="$1" -v y="$2" -v w="$3" -v h="$4" -v cx="$CENTRE_X" -v cy="$CENTRE_Y" -v r="$OUTER_RADIUS" 'BEGIN {
    nx = cx < x ? x : (cx > x + w ? x + w : cx); ny = cy < y ? y : (cy > y + h ? y + h : cy)
    exit !((nx - cx) ^ 2 + (ny - cy) ^ 2 > r ^ 2) }'
}

# The event three days away that the display-scale tests show, in blue clock
# texts so that text and shadow differ.
_e2e_scale_folder() {
  local folder
  folder=$(e2e_event_folder "$1" 2007 6 13 1)
  e2e_write_sjis "$folder/quorvendacolor.ini" 0 0 255 0 100
  echo "$folder"
}
_E2E_SCALE_COUNTDOWN='6月13日 会議まで 3日間'

# At DPI: the window's place and size and the dial drawn as at that DPI.
_e2e_clock_is_drawn_at_dpi() {
  local dpi=$1 folder shot geometry
  e2e_use_dpi "$dpi"
  folder=$(_e2e_scale_folder "dpi-$dpi")
  e2e_open_clock "$folder" "2007-06-10 12:00:00"
  geometry=$(e2e_geometry "$MAIN_WINDOW")
  e2e_check "outer window at ${E2E_WINDOW_GEOMETRY_AT[$dpi]} (got $geometry)" \
    [ "$geometry" = "${E2E_WINDOW_GEOMETRY_AT[$dpi]}" ]
  shot="$E2E_WORK/dpi-$dpi.png"
  e2e_screenshot "$shot"
  _e2e_expect_drawn_at_dpi "$dpi" "$shot"
}

# _e2e_expect_drawn_at_dpi DPI SHOT [HEIGHT]: SHOT shows the clock of
# _e2e_scale_folder as drawn at DPI: the traced dial in the scaled pens,
# both circles of the event at their scaled radii, and the countdown line
# and clock texts as that DPI's Japanese glyphs (in the system font, or with
# HEIGHT in an outline face of that height, which the trace then measures
# with), the clock texts clear of the dial.
_e2e_expect_drawn_at_dpi() {
  local dpi=$1 shot=$2 height=${3:-} shadow=${E2E_SHADOW_AT[$1]} wrong=0
  E2E_DPI=$dpi
  if [ -n "$height" ]; then
    e2e_shadowed_text "$_E2E_SCALE_COUNTDOWN" "${E2E_SLOT_COLOURS[0]}" "$shadow" "$height"
    E2E_TEXT_HEIGHT=$TEXT_H
  fi
  e2e_trace_dial
  e2e_expect_traced_lines "$shot"
  e2e_expect_hand_alone "$shot" "${E2E_MONTH_HAND_PEN_AT[$dpi]}"
  e2e_expect_hand_alone "$shot" "${E2E_DAY_HAND_PEN_AT[$dpi]}"
  # The month hand points nearly straight down at 10 June: a row through its
  # middle crosses it about as wide as its pen.
  local pen width month_x month_y
  pen=$(awk '{ print $2 }' <<<"${E2E_MONTH_HAND_PEN_AT[$dpi]}")
  read -r month_x month_y <<<"$(e2e_traced_lines "${E2E_MONTH_HAND_PEN_AT[$dpi]}" |
    awk '{ print int(($2 + $4) / 2), int(($3 + $5) / 2) }')"
  width=$(e2e_pen_width "$shot" ffff00 "$month_x" "$month_y")
  e2e_check "the month hand is about $pen px wide (a row crosses $width)" \
    [ "$width" -ge $((pen - 1)) -a "$width" -le $((pen + 2)) ]
  local circle
  while read -r circle; do
    # shellcheck disable=SC2086
    e2e_expect_circle "$shot" "${E2E_SLOT_COLOURS[0]}" $circle
  done < <(awk '/^Arc / && / 0 0 0 0$/ { print $2, $5, $4, $3 }' "$E2E_TRACE")
  e2e_check "two circles round the near-date mark" [ "$(grep -c ' 0 0 0 0$' "$E2E_TRACE")" -eq 2 ]

  local countdown=$_E2E_SCALE_COUNTDOWN
  e2e_shadowed_text "$countdown" "${E2E_SLOT_COLOURS[0]}" "$shadow" "$height"
  e2e_drawn_text_matches "$shot" 0 0 "$countdown" || wrong=$((wrong + 1))
  local text x bottom=$CLIENT_H from
  for text in '2007年  6月 10日' '12時  0分  0秒' '日曜日'; do
    e2e_shadowed_text "$text" 0000ff "$shadow" "$height"
    x=$((CLIENT_W - TEXT_W)) bottom=$((bottom - TEXT_H))
    e2e_check "'$text' (${TEXT_W}x$TEXT_H at ($x, $bottom)) stands clear of the outer circle" \
      e2e_clear_of_circle "$x" "$bottom" "$TEXT_W" "$TEXT_H"
    from=$(e2e_right_of_footer "$shot" "$x" "$bottom")
    e2e_drawn_text_matches "$shot" "$x" "$bottom" "$text" "$from" || wrong=$((wrong + 1))
  done
  e2e_check "the countdown line and the clock texts are that DPI's Japanese glyphs ($wrong wrong)" [ $wrong -eq 0 ]
}

test_clock_is_drawn_at_120_dpi() { _e2e_clock_is_drawn_at_dpi 120; }
e2e_test test_clock_is_drawn_at_120_dpi
test_clock_is_drawn_at_144_dpi() { _e2e_clock_is_drawn_at_dpi 144; }
e2e_test test_clock_is_drawn_at_144_dpi
test_clock_is_drawn_at_192_dpi() { _e2e_clock_is_drawn_at_dpi 192; }
e2e_test test_clock_is_drawn_at_192_dpi

_e2e_dpi_changed() { e2e_win_helper dpi-changed "$E2E_PROGRAM_NAME" "$@" >/dev/null || e2e_fail "dpi-changed $*"; }

# The window takes exactly the rectangle the message suggests; a null, empty
# or inverted one leaves it where it is. It ticks on and leaks nothing, and
# the message is handled while a question box is open too.
test_wm_dpichanged_moves_the_window_to_the_suggested_rectangle() {
  local folder geometry before after painted
  folder=$(e2e_event_folder dpi-changed 2007 6 13 1)
  e2e_open_clock "$folder"
  _e2e_dpi_changed 144 200 120 650 780
  geometry=$(e2e_geometry "$MAIN_WINDOW")
  e2e_check "the window is at the suggested 200 120 450 660 (got $geometry)" [ "$geometry" = "200 120 450 660" ]
  # DPI and rectangle: none, inverted, empty.
  local bad
  for bad in "120 null" "120 300 300 100 400" "120 500 500 500 900"; do
    # shellcheck disable=SC2086
    _e2e_dpi_changed $bad
    geometry=$(e2e_geometry "$MAIN_WINDOW")
    e2e_check "a suggestion of '$bad' leaves it there (got $geometry)" [ "$geometry" = "200 120 450 660" ]
  done
  e2e_client_rect
  e2e_wait_repaint ticking
  e2e_win_helper repaint-storm "$E2E_PROGRAM_NAME" 50 >/dev/null || e2e_fail "repaint-storm"
  before=$(e2e_gdi_count)
  painted=$(e2e_win_helper repaint-storm "$E2E_PROGRAM_NAME" 50 | tr -d '\r') || e2e_fail "repaint-storm"
  after=$(e2e_gdi_count)
  e2e_check "GDI objects stay flat over 100 repaints ($before -> $after, storm $painted)" [ "$after" -le "$before" ]
  # While the close question is open, its own message loop runs the handler.
  local box
  e2e_close_request "$MAIN_WINDOW"
  box=$(e2e_wait_window "^$E2E_CLOSE_CAPTION\$" 5)
  _e2e_dpi_changed 96 150 100 450 540
  geometry=$(e2e_geometry "$MAIN_WINDOW")
  e2e_check "with the question open, the window is at 150 100 300 440 (got $geometry)" \
    [ "$geometry" = "150 100 300 440" ]
  e2e_keys "$box" Escape
  e2e_wait_window_gone "^$E2E_CLOSE_CAPTION\$" 5
  e2e_check "the clock runs on" e2e_program_running
}
e2e_test test_wm_dpichanged_moves_the_window_to_the_suggested_rectangle

# _e2e_dpi_changed_to DPI: sends WM_DPICHANGED for DPI with the rectangle a
# window opened at DPI has, and waits until the clock shows its countdown
# line in a Japanese outline face of the system font's height (HEIGHT, in
# E2E_SYSTEM_DPI, the prefix's) scaled to DPI; the screenshot is SHOT, the
# realised height TEXT_H, within a pixel of the scaled one.
_e2e_dpi_changed_to() {
  local dpi=$1 x y w h scaled geometry
  read -r x y w h <<<"${E2E_WINDOW_GEOMETRY_AT[$dpi]}"
  _e2e_dpi_changed "$dpi" "$x" "$y" $((x + w)) $((y + h))
  geometry=$(e2e_geometry "$MAIN_WINDOW")
  e2e_check "the window takes the $dpi-DPI rectangle $x $y $w $h (got $geometry)" [ "$geometry" = "$x $y $w $h" ]
  e2e_client_rect
  scaled=$(awk -v h="$E2E_SYSTEM_TEXT_HEIGHT" -v d="$dpi" -v s="$E2E_SYSTEM_DPI" 'BEGIN { printf "%d", h * d / s + 0.5 }')
  e2e_shadowed_text "$_E2E_SCALE_COUNTDOWN" "${E2E_SLOT_COLOURS[0]}" "${E2E_SHADOW_AT[$dpi]}" "$scaled"
  e2e_log "at $dpi DPI the texts are $scaled px high, realised $TEXT_H"
  e2e_check "the realised height $TEXT_H is within a pixel of $scaled" \
    [ $((TEXT_H - scaled)) -le 1 -a $((scaled - TEXT_H)) -le 1 ]
  SHOT="$E2E_WORK/dpi-changed-$dpi.png"
  e2e_check "the countdown line is drawn in that face" e2e_wait_for 10 _e2e_countdown_shown "$SHOT"
}

_e2e_countdown_shown() { e2e_screenshot "$1" && e2e_drawn_text_matches "$1" 0 0 "$_E2E_SCALE_COUNTDOWN"; }

# _e2e_yellow_pixels SHOT: the month hand's pixels in the client area.
_e2e_yellow_pixels() { e2e_count_colour "$1" 0 0 "$CLIENT_W" "$CLIENT_H" ffff00; }

# _e2e_ink_rows SHOT RRGGBB ROWS: how many rows, from the first to the last
# of the top ROWS, hold the colour: the height of the first line's glyphs.
_e2e_ink_rows() {
  "$E2E_CONVERT" "$1" -crop "${CLIENT_W}x$3+0+0" +repage -depth 8 txt:- |
    awk -F '[ ,:()]+' -v c="#$(tr 'a-f' 'A-F' <<<"$2")" 'index($0, c) { if (first == "") first = $2; last = $2 }
      END { print first == "" ? 0 : last - first + 1 }'
}

# The DPI a repaint draws at is the one WM_DPICHANGED carried, never asked
# of the system again (which answers the system DPI on early Windows 10):
# in a 144-DPI prefix, told of 192 DPI with a 192-DPI window's rectangle,
# the clock draws as a clock opened at 192 DPI does, its texts in an outline
# face 192 / 144 times the system font's height.
test_wm_dpichanged_to_192_dpi_draws_at_192_dpi() {
  local folder
  e2e_use_dpi 144
  folder=$(_e2e_scale_folder dpi-changed-192)
  e2e_open_clock "$folder" "2007-06-10 12:00:00"
  e2e_measure_text_height
  E2E_SYSTEM_TEXT_HEIGHT=$E2E_TEXT_HEIGHT E2E_SYSTEM_DPI=$E2E_DPI
  _e2e_dpi_changed_to 192
  e2e_log "at 192 DPI the month hand has $(_e2e_yellow_pixels "$SHOT") yellow pixels; the first line's" \
    "glyphs are $(_e2e_ink_rows "$SHOT" "${E2E_SLOT_COLOURS[0]}" $((2 * TEXT_H))) rows high"
  _e2e_expect_drawn_at_dpi 192 "$SHOT" "$TEXT_H"
}
e2e_test test_wm_dpichanged_to_192_dpi_draws_at_192_dpi

# Where the system DPI is 96, each WM_DPICHANGED takes the texts to an
# outline face of the scaled height, realised within a pixel.
test_wm_dpichanged_from_96_dpi_scales_the_texts() {
  local folder dpi heights=
  e2e_use_dpi 96
  folder=$(_e2e_scale_folder dpi-changed-from-96)
  e2e_open_clock "$folder" "2007-06-10 12:00:00"
  e2e_measure_text_height
  E2E_SYSTEM_TEXT_HEIGHT=$E2E_TEXT_HEIGHT E2E_SYSTEM_DPI=$E2E_DPI
  for dpi in 120 144 192; do
    _e2e_dpi_changed_to "$dpi"
    heights+=" $dpi:$TEXT_H"
  done
  e2e_log "realised text heights after WM_DPICHANGED from 96 DPI:$heights"
}
e2e_test test_wm_dpichanged_from_96_dpi_scales_the_texts
