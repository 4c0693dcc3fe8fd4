# shellcheck shell=bash
# What the dial must show, taken from quorvenda-trace: the same repaint run
# natively against the recording surface, with the clock's date, client size
# and data folder and the text height of Wine's system font, so tests can say
# which pixels a hand, tick or mark must cover without a model of the layout
# of their own.

# The two date hands are found by their pens, E2E_MONTH_HAND_PEN and
# E2E_DAY_HAND_PEN (e2e_load_facts).

# The height of a line of text in Wine's system font here (18 px with IPAGothic
# under the Japanese locale), measured in each test that needs it.
E2E_TEXT_HEIGHT=

# e2e_measure_text_height: sets E2E_TEXT_HEIGHT.
e2e_measure_text_height() {
  local extent
  extent=$(e2e_win_helper text-extent "$E2E_EVENT_NAME" | tr -d '\r') || e2e_fail "text-extent"
  E2E_TEXT_HEIGHT=${extent#* }
  [[ $E2E_TEXT_HEIGHT =~ ^[0-9]+$ ]] || e2e_fail "text-extent printed '$extent'"
  e2e_log "the system font's lines are $E2E_TEXT_HEIGHT px high"
}

# The system DPI of the test's Wine prefix (e2e_use_dpi), which the trace draws for.
E2E_DPI=96

# e2e_trace_dial: traces one repaint of the clock e2e_open_clock started (its
# folder, date and client area) into E2E_TRACE, and sets CENTRE_X, CENTRE_Y,
# OUTER_RADIUS and INNER_RADIUS from the dial's two circles. Measures
# E2E_TEXT_HEIGHT first if need be.
e2e_trace_dial() {
  [ -n "$E2E_TEXT_HEIGHT" ] || e2e_measure_text_height
  local at=${E2E_CLOCK_AT#@}
  E2E_TRACE="$E2E_WORK/trace-${E2E_CLOCK_FOLDER##*/}.txt"
  "$E2E_NATIVE_BUILD/src/tools/quorvenda-trace" --at "${at/ /T}" --client "${CLIENT_W}x$CLIENT_H" \
    --dir "$E2E_CLOCK_FOLDER" --text-height "$E2E_TEXT_HEIGHT" --dpi "$E2E_DPI" >"$E2E_TRACE" ||
    e2e_fail "quorvenda-trace"
  # "Ellipse left top right bottom": the outer circle first, then the inner one.
  read -r CENTRE_X CENTRE_Y OUTER_RADIUS INNER_RADIUS <<<"$(awk '/^Ellipse / { n++
    if (n == 1) { x = ($2 + $4) / 2; y = ($3 + $5) / 2; outer = ($4 - $2) / 2 }
    if (n == 2) inner = ($4 - $2) / 2 }
    END { print int(x), int(y), int(outer), int(inner) }' "$E2E_TRACE")"
  e2e_log "traced dial: centre ($CENTRE_X, $CENTRE_Y), radii $OUTER_RADIUS and $INNER_RADIUS"
}

# e2e_traced_lines [PEN]: "rrggbb x0 y0 x1 y1" for each line the trace draws
# (with PEN only, when given); rrggbb is the pen's colour as a screenshot has it.
e2e_traced_lines() {
  awk -v want="${1:-}" '
    /^SelectPen / { pen = substr($0, 11); c = $4; colour = tolower(substr(c, 7, 2) substr(c, 5, 2) substr(c, 3, 2)) }
    /^MoveTo / { x = $2; y = $3 }
    /^LineTo / { if (want == "" || pen == want) print colour, x, y, $2, $3; x = $2; y = $3 }' "$E2E_TRACE"
}

# e2e_expect_traced_lines SHOT [PEN]: every line the trace draws (with PEN,
# when given) covers pixels of its pen's colour from a third of its length to
# its end.
e2e_expect_traced_lines() {
  e2e_traced_lines "${2:-}" | awk '{ n = split("0.35 0.5 0.65 0.8 0.92", f, " ")
    for (i = 1; i <= n; i++)
      printf "is %s %d %d line (%d, %d)-(%d, %d) at %s\n", $1, int($2 + ($4 - $2) * f[i] + 0.5),
        int($3 + ($5 - $3) * f[i] + 0.5), $2, $3, $4, $5, f[i] }' |
    e2e_expect_pixels "$1" "the traced lines${2:+ drawn with $2} cover their colour"
}

# e2e_expect_hand_alone SHOT PEN: the one hand drawn with PEN stops at its end
# and points nowhere else: none of its colour 12 % past its end, nor 15
# degrees to either side of it.
e2e_expect_hand_alone() {
  local hands
  hands=$(e2e_traced_lines "$2")
  [ "$(wc -l <<<"$hands")" -eq 1 ] || e2e_fail "the trace draws not one line with '$2' but: $hands"
  awk '{ dx = $4 - $2; dy = $5 - $3
    printf "not %s %d %d past the hand ending at (%d, %d)\n", $1,
      int($2 + dx * 1.12 + 0.5), int($3 + dy * 1.12 + 0.5), $4, $5
    for (side = -1; side <= 1; side += 2) {
      t = side * 15 * atan2(0, -1) / 180
      printf "not %s %d %d beside the hand ending at (%d, %d), %d degrees off\n", $1,
        int($2 + (dx * cos(t) - dy * sin(t)) * 0.8 + 0.5), int($3 + (dx * sin(t) + dy * cos(t)) * 0.8 + 0.5),
        $4, $5, side * 15
    } }' <<<"$hands" | e2e_expect_pixels "$1" "the hand drawn with $2 stops at its end and points nowhere else"
}

# e2e_expect_pixels SHOT WHAT: checks lines of "is|not rrggbb x y where" on
# standard input against SHOT, read in one pass; fails listing every pixel
# that is not (or is) the colour.
e2e_expect_pixels() {
  local shot=$1 what=$2 checks actual wrong
  checks=$(cat)
  [ -n "$checks" ] || e2e_fail "no pixels to check in $shot"
  actual=$("$E2E_CONVERT" "$shot" -format "$(awk '{ printf "%%[hex:p{%d,%d}]\\n", $3, $4 }' <<<"$checks")" info:)
  wrong=$(paste -d ' ' <(cut -c1-6 <<<"$actual" | tr 'A-F' 'a-f') - <<<"$checks" |
    awk '($2 == "is") != ($1 == $3) {
      print "  (" $4 ", " $5 ") is " $1 ", expected " ($2 == "is" ? "" : "not ") $3 ": " substr($0, index($0, $6)) }')
  [ -z "$wrong" ] || e2e_fail "$what, in ${shot##*/}:"$'\n'"$wrong"
  e2e_log "ok: $what ($(wc -l <<<"$checks") pixels of ${shot##*/})"
}
