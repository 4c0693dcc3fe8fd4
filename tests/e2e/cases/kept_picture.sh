# shellcheck shell=bash
# The clock draws each second only what changed into a picture it keeps, so
# a clock that has ticked for a while must show exactly what a clock started
# afresh at that second shows: across a month's end, with its event file
# rewritten under it, keyed and not, at 96 and 144 DPI.

# _e2e_write_events FILE SLOT...: the event file with one slot per argument,
# "name dial-flag line-flag year month day".
_e2e_write_events() {
  local file=$1 slot lines=()
  shift
  for slot in "$@"; do
    # shellcheck disable=SC2206 # the slot's six words are its six lines
    lines+=($slot)
  done
  e2e_write_sjis "$file" "${lines[@]}"
}

# _e2e_settled_shot FILE: a screenshot taken once the window stays the same
# over a tick, so that no repaint is caught half done.
_e2e_settled_shot() {
  e2e_screenshot "$1"
  e2e_wait_for 10 _e2e_same_after_a_tick "$1" || e2e_fail "the window kept changing at a frozen time"
}
_e2e_same_after_a_tick() {
  sleep 1.2
  e2e_screenshot "$1.again.png"
  [ "$(e2e_differing_pixels "$1" "$1.again.png")" -eq 0 ] && return 0
  cp "$1.again.png" "$1"
  return 1
}

# _e2e_step_to STAMP WHEN SHOT: moves the faked clock to WHEN, waits until the
# window no longer shows SHOT (each step moves the second hand), and leaves
# the settled picture in SHOT.
_e2e_step_to() {
  echo "$2" >"$1"
  e2e_wait_for 10 _e2e_shows_other_than "$3" || e2e_fail "no repaint after the clock moved to $2"
  _e2e_settled_shot "$3"
  e2e_log "ok: repainted at $2"
}
_e2e_shows_other_than() {
  e2e_screenshot "$1.now.png"
  [ "$(e2e_differing_pixels "$1" "$1.now.png")" -gt 0 ]
}

_e2e_ticked_clock_matches_a_fresh_one() {
  local dpi=$1 key folder stamp ticked fresh differ
  [ "$dpi" -eq 96 ] || e2e_use_dpi "$dpi"
  for key in 0 1; do
    folder=$(e2e_make_folder "ticked-$dpi-$key")
    e2e_write_sjis "$folder/quorvendacolor.ini" 0 0 160 "$key" 100
    # Today's event and tomorrow's: at midnight one is past and the other today.
    _e2e_write_events "$folder/quorvendadata1.txt" "会議 1 1 2007 6 30" "締切 1 1 2007 7 1"
    stamp="$E2E_WORK/faked-now-$key"
    echo '2007-06-30 23:59:57' >"$stamp"
    e2e_start_program_env "$folder" FAKETIME_TIMESTAMP_FILE="$stamp" FAKETIME_NO_CACHE=1 \
      FAKETIME_DONT_FAKE_MONOTONIC=1
    e2e_wait_main_window 15 >/dev/null
    e2e_client_rect
    ticked="$E2E_WORK/ticked-$dpi-$key.png"
    _e2e_settled_shot "$ticked"
    _e2e_step_to "$stamp" '2007-06-30 23:59:58' "$ticked"
    # A third line appears and tomorrow's mark moves on: the dial shrinks.
    _e2e_write_events "$folder/quorvendadata1.txt" "会議 1 1 2007 6 30" "締切 1 1 2007 7 3" "旅行 1 1 2007 7 20"
    _e2e_step_to "$stamp" '2007-06-30 23:59:59' "$ticked"
    _e2e_step_to "$stamp" '2007-07-01 00:00:00' "$ticked"
    _e2e_step_to "$stamp" '2007-07-01 00:00:01' "$ticked"
    e2e_stop_program

    e2e_start_program "$folder" '2007-07-01 00:00:01'
    e2e_wait_main_window 15 >/dev/null
    e2e_client_rect
    fresh="$E2E_WORK/fresh-$dpi-$key.png"
    _e2e_settled_shot "$fresh"
    e2e_stop_program
    differ=$(e2e_differing_pixels "$ticked" "$fresh")
    e2e_check "$dpi DPI, key $key: the clock that ticked across the month's end shows what a fresh one shows ($differ pixels differ)" \
      [ "$differ" -eq 0 ]
  done
}

test_a_ticked_clock_shows_what_a_fresh_one_shows_at_96_dpi() { _e2e_ticked_clock_matches_a_fresh_one 96; }
e2e_test test_a_ticked_clock_shows_what_a_fresh_one_shows_at_96_dpi
test_a_ticked_clock_shows_what_a_fresh_one_shows_at_144_dpi() { _e2e_ticked_clock_matches_a_fresh_one 144; }
e2e_test test_a_ticked_clock_shows_what_a_fresh_one_shows_at_144_dpi
