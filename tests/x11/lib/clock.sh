# shellcheck shell=bash
# What the cases share about the clock: its data folder, starting it, and the
# texts and sizes it shows (from the program's own constants where they are
# written down once; the trace tool for the dial).
# shellcheck source=tests/x11/lib/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

# shellcheck disable=SC2034 # read by the cases files
CREATION_TITLE='Quorvenda １０分毎にタイトルバーを書き直しています'

# clock_folder [COLOUR_LINES] [EVENT_LINES]: X11_WORK/clock with the two
# files written as Shift-JIS (each argument one string, lines separated by
# newlines); "-" leaves that file out. Prints nothing; sets CLOCK_FOLDER.
clock_folder() {
  CLOCK_FOLDER="$X11_WORK/clock"
  mkdir -p "$CLOCK_FOLDER"
  [ "${1:--}" = - ] || clock_write_file "$CLOCK_FOLDER/quorvendacolor.ini" "$1"
  [ "${2:--}" = - ] || clock_write_file "$CLOCK_FOLDER/quorvendadata1.txt" "$2"
}

# clock_write_file FILE LINES: LINES as Shift-JIS with CR LF line ends, as Windows editors save them.
clock_write_file() { printf '%s\n' "$2" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$1"; }

# Black hands, opaque, no key; slot 1 "会議" on 2007-06-15 with a countdown line.
# shellcheck disable=SC2034 # read by the cases files
BLACK_OPAQUE=$'0\n0\n0\n0\n100'
# shellcheck disable=SC2034
MEETING=$'会議\n1\n1\n2007\n6\n15'

# shellcheck disable=SC2034
FROZEN='2007-06-10 12:00:00'
YELLOW=ffff00 # the month hand's pen

# clock_start: the clock in CLOCK_FOLDER, and its window in X11_WINDOW, found
# within CLOCK_START_WAIT_S seconds (15 unless set).
clock_start() {
  x11_start_program "$CLOCK_FOLDER" "$X11_PROGRAM"
  x11_find_window Quorvenda "${CLOCK_START_WAIT_S:-15}"
}

# clock_title WINDOW: the window's title as UTF-8.
clock_title() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }

# The design's rectangle at DPI: the same rule as the program (MulDiv by 96, half away from zero).
scaled() { echo $((($1 * $2 + 48) / 96)); }

# outer_rect_is WINDOW "X Y W H", outer_size_is WINDOW "W H": the window manager's frame included.
outer_rect_is() { [ "$(x11_outer_rect "$1")" = "$2" ]; }
outer_size_is() { [ "$(x11_outer_rect "$1" | cut -d' ' -f3-)" = "$2" ]; }

# clock_wait_repaint WINDOW SHOT_BEFORE: waits until the client area differs from SHOT_BEFORE.
_clock_differs() { x11_screenshot "$X11_WORK/now.png" "$1" && ! cmp -s <(convert "$2" rgb:-) <(convert "$X11_WORK/now.png" rgb:-); }
clock_wait_repaint() { x11_wait_for "${3:-5}" _clock_differs "$1" "$2"; }

# clock_trace AT DPI: the repaint the trace tool records for the clock's
# client size, folder, AT ("2007-06-10 12:00:00") and DPI, in X11_WORK/trace.txt.
# No countdown line may be shown: the trace measures texts by a rule of its
# own, and only the countdown lines' heights move the dial.
clock_trace() {
  local x y w h
  read -r x y w h <<<"$(x11_client_rect "$X11_WINDOW")"
  "$X11_TRACE" --at "${1/ /T}" --client "${w}x$h" --dir "$CLOCK_FOLDER" --dpi "$2" >"$X11_WORK/trace.txt" ||
    x11_fail "quorvenda-trace"
}

# traced_lines: "rrggbb x0 y0 x1 y1" for each line of the trace, in its pen's colour.
traced_lines() {
  awk '/^SelectPen / { c = $4; colour = tolower(substr(c, 7, 2) substr(c, 5, 2) substr(c, 3, 2)) }
    /^MoveTo / { x = $2; y = $3 }
    /^LineTo / { print colour, x, y, $2, $3; x = $2; y = $3 }' "$X11_WORK/trace.txt"
}

# expect_pixels SHOT WHAT: the "is|not rrggbb x y why" lines on standard input hold in SHOT.
expect_pixels() {
  local width misses
  convert "$1" -depth 8 "rgb:$X11_WORK/shot.rgb"
  width=$(identify -format %w "$1")
  misses=$(x11_probe check-pixels "$X11_WORK/shot.rgb" "$width") || x11_fail "$2, in ${1##*/}:"$'\n'"$misses"
  x11_log "ok: $2"
}

# expect_traced_lines SHOT: every traced line covers its pen's pure colour
# from a third of its length to its end point.
expect_traced_lines() {
  traced_lines | awk '{ n = split("0.35 0.5 0.65 0.8 0.92 1", f, " ")
    for (i = 1; i <= n; i++)
      printf "is %s %d %d line (%d, %d)-(%d, %d) at %s\n", $1, int($2 + ($4 - $2) * f[i] + 0.5),
        int($3 + ($5 - $3) * f[i] + 0.5), $2, $3, $4, $5, f[i] }' |
    expect_pixels "$1" "the traced lines cover their pens' colours"
}

# The point 60 % along the month hand, in the client area, from the trace.
month_hand_point() {
  traced_lines | awk -v pen="$YELLOW" '$1 == pen { print int($2 + ($4 - $2) * 0.6 + 0.5), int($3 + ($5 - $3) * 0.6 + 0.5); exit }'
}
