# shellcheck shell=bash
# Data files as Windows editors save them: an event list saved as UTF-8
# with or without a byte-order mark, or as UTF-16, shows exactly what its
# Shift-JIS twin shows; and the clock's own Shift-JIS table converts every
# character as Windows does.

# The event list as UTF-8 lines with CR LF: four countdown lines (no dial
# marks) whose names mix kanji, kana, half-width katakana, a NEC special
# character and an IBM extension kanji.
e2e_encodings_event_list() {
  local slot=1 name
  for name in 会議 ﾐｰﾃｨﾝｸﾞ ①締め切り 髙橋さんの誕生日; do
    printf '%s\r\n' "$name" 0 1 2007 6 $((20 + slot))
    slot=$((slot + 1))
  done
}

# e2e_save_as ENCODING: UTF-8 text on standard input, saved in ENCODING.
e2e_save_as() {
  case $1 in
    shift-jis) iconv -f UTF-8 -t CP932 ;;
    utf-8-bom) printf '\xef\xbb\xbf' && cat ;;
    utf-8) cat ;;
    utf-16le-bom) printf '\xff\xfe' && iconv -f UTF-8 -t UTF-16LE ;;
  esac
}

# The four lines in their slot colours, left of the dial, each in its line.
e2e_shows_four_lines() {
  local slot colours=(ff0000 ff9600 ffff00 00ff00)
  for slot in 0 1 2 3; do
    [ "$(e2e_count_colour "$1" 0 $((slot * 18)) $((CLIENT_W / 2)) 18 "${colours[slot]}")" -ge 20 ] || return 1
  done
}

_e2e_shot_shows_four_lines() {
  e2e_screenshot "$1"
  e2e_shows_four_lines "$1"
}

_e2e_shot_matches() {
  e2e_screenshot "$1"
  E2E_DIFFERING=$(e2e_differing_pixels "$2" "$1")
  [ "$E2E_DIFFERING" -eq 0 ]
}

test_event_list_saved_as_utf8_or_utf16_shows_the_lines_of_its_shift_jis_twin() {
  local encoding folder shot baseline=
  for encoding in shift-jis utf-8-bom utf-8 utf-16le-bom; do
    folder=$(e2e_make_folder "events-$encoding")
    e2e_encodings_event_list | e2e_save_as "$encoding" >"$folder/quorvendadata1.txt"
    # Frozen time: the whole client area, text panel included, stands still.
    e2e_open_clock "$folder" "2007-06-10 12:00:00"
    shot="$E2E_WORK/$encoding.png"
    if [ -z "$baseline" ]; then
      e2e_check "shift-jis: the four countdown lines show" e2e_wait_for 10 _e2e_shot_shows_four_lines "$shot"
      baseline=$shot
    else
      E2E_DIFFERING=
      e2e_wait_for 10 _e2e_shot_matches "$shot" "$baseline" ||
        e2e_fail "$encoding: $E2E_DIFFERING pixels differ from the Shift-JIS twin"
      e2e_log "ok: $encoding: pixel for pixel the Shift-JIS twin"
    fi
    e2e_stop_program
  done
}
e2e_test test_event_list_saved_as_utf8_or_utf16_shows_the_lines_of_its_shift_jis_twin

test_shift_jis_table_converts_as_windows_does() {
  local report
  report=$(e2e_win_helper shift-jis-table-check | tr -d '\r') || {
    printf '%s\n' "$report"
    e2e_fail "the Shift-JIS table differs from WideCharToMultiByte(932)"
  }
  e2e_log "ok: $report"
}
e2e_test test_shift_jis_table_converts_as_windows_does
