# shellcheck shell=bash
# The countdown lines at the clock's top left, read from a screenshot by
# their slot colours: which slots show a line, and waiting until the screen
# shows the expected ones.

# The seven countdown lines stack at the top left, one system-font line
# (E2E_TEXT_HEIGHT, measured by e2e_trace_dial) each, slot 1 at the top, in
# their slot colours (E2E_SLOT_COLOURS).
# Left of the dial and above its day labels: only the start of each line,
# its month and day.
E2E_SLOT_AREA_WIDTH=60
# Of a slot's colour in its area, a shown line has far more than this and a
# vanished one none.
E2E_SLOT_SHOWN_PIXELS=20

# e2e_shown_slots SHOT: the slots whose countdown line SHOT shows, in order
# ("1 2 3 4 5 6 7", "1", or empty); a slot with a few stray pixels of its
# colour, neither shown nor gone, reads as "?N".
e2e_shown_slots() {
  local histogram slot count shown=()
  histogram=$("$E2E_CONVERT" "$1" -crop "${E2E_SLOT_AREA_WIDTH}x$((7 * E2E_TEXT_HEIGHT))+0+0" +repage \
    -alpha off -format %c histogram:info:-)
  for slot in 1 2 3 4 5 6 7; do
    count=$(awk -v c="#$(echo "${E2E_SLOT_COLOURS[slot - 1]}" | tr 'a-f' 'A-F')" \
      '$0 ~ c { n += $1 } END { print n + 0 }' <<<"$histogram")
    if [ "$count" -ge "$E2E_SLOT_SHOWN_PIXELS" ]; then
      shown+=("$slot")
    elif [ "$count" -gt 0 ]; then
      shown+=("?$slot")
    fi
  done
  echo "${shown[*]}"
}

# _e2e_screen_is SHOT SLOTS [same|changed BASELINE]: takes SHOT and tells
# whether it shows exactly the lines of SLOTS, with slot 1's line the same
# as, or changed from, BASELINE's when asked.
_e2e_screen_is() {
  e2e_screenshot "$1"
  E2E_LAST_SLOTS=$(e2e_shown_slots "$1")
  [ "$E2E_LAST_SLOTS" = "$2" ] || return 1
  [ $# -eq 4 ] || return 0
  local area differing
  read -r -a area <<<"$(e2e_slot1_line_area)"
  differing=$(e2e_differing_pixels "$4" "$1" "${area[@]}")
  E2E_LAST_SLOTS+=" (slot 1's line: $differing pixels differ)"
  if [ "$3" = same ]; then [ "$differing" -eq 0 ]; else [ "$differing" -gt 0 ]; fi
}

# e2e_wait_slots NAME "SLOTS" [same|changed BASELINE]: waits until the screen
# shows exactly the countdown lines of SLOTS (and slot 1's line as asked);
# the matching screenshot is $E2E_WORK/NAME.png.
e2e_wait_slots() {
  local name=$1
  shift
  local what="the lines of slots [$1]"
  [ $# -lt 2 ] || what+=", slot 1's line $2"
  E2E_LAST_SLOTS=
  [ -n "$E2E_TEXT_HEIGHT" ] || e2e_measure_text_height
  e2e_wait_for 10 _e2e_screen_is "$E2E_WORK/$name.png" "$@" ||
    e2e_fail "$name: expected $what; the screen shows [$E2E_LAST_SLOTS]"
  e2e_log "ok: $name: $what"
}

# Slot 1's line alone: its glyphs and shadow, above where slot 2's line starts.
e2e_slot1_line_area() { echo 0 0 $((CLIENT_W / 2)) $((E2E_TEXT_HEIGHT - 2)); }
