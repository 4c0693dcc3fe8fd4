# shellcheck shell=bash
# The clock's Japanese on a Windows whose ANSI code page is not 932 (Wine
# under C.UTF-8: code page 1252, a Latin system font): its titles, its
# question boxes and file dialog, the launch of a file from a folder with a
# Japanese name, and its drawn texts. Under code page 932 its pixels at a
# frozen time are those of a reference picture.
#
# Uses the user-command helpers of user_commands.sh (all case files are
# sourced before any test runs).

E2E_LATIN_LOCALE=C.UTF-8
E2E_JAPANESE_FOLDER='設定フォルダ'
E2E_TEXT_COUNT=0

# e2e_use_code_page_1252 [title]: code page 1252 from here on. The main
# window is found by its X class unless "title" is given: the title has a
# test of its own, so that the others fail on what they check.
e2e_use_code_page_1252() {
  e2e_use_locale "$E2E_LATIN_LOCALE"
  # shellcheck disable=SC2034 # read by e2e_wait_main_window in the harness
  E2E_MAIN_WINDOW_BY=${1:-class}
}

# The title timer test, on a non-Japanese Windows: the creation title and the
# countdown are stored and shown as Japanese.
test_titles_read_japanese_under_code_page_1252() {
  e2e_use_code_page_1252 title
  test_title_countdown_replaces_creation_title_at_first_title_tick
}
e2e_test test_titles_read_japanese_under_code_page_1252

e2e_ask_to_close() { e2e_close_request "$MAIN_WINDOW"; }

test_question_boxes_read_japanese_under_code_page_1252() {
  e2e_use_code_page_1252
  e2e_open_commands_clock questions
  # what asks | caption | message
  local rows=(
    "e2e_ask_to_close|$E2E_CLOSE_CAPTION|$E2E_CLOSE_TEXT"
    "e2e_right_click_far_from_hands|$E2E_LAUNCH_CAPTION|$E2E_LAUNCH_TEXT"
  )
  local row ask caption message box controls
  for row in "${rows[@]}"; do
    IFS='|' read -r ask caption message <<<"$row"
    "$ask"
    box=$(e2e_wait_window "^$caption\$" 5)
    controls=$(e2e_dialog_text "$caption")
    e2e_check "'$caption' says '$message' (controls: ${controls//$'\n'/ | })" \
      grep -qxF $'Static\t'"$message" <<<"$controls"
    e2e_keys "$box" Escape
    e2e_wait_window_gone "^$caption\$" 5
  done
  e2e_check "the program runs on" e2e_program_running
}
e2e_test test_question_boxes_read_japanese_under_code_page_1252

# The path goes through the file dialog, the shell launch and the path the
# dialog remembers as Japanese: marker.exe starts from the folder with the
# Japanese name, and the next dialog starts there.
test_file_in_a_japanese_folder_is_launched_under_code_page_1252() {
  local dialog marker offered
  e2e_use_code_page_1252
  e2e_open_commands_clock japanese-folder
  # Not the clock's own folder, which the dialog could fall back on.
  mkdir "$FOLDER/$E2E_JAPANESE_FOLDER"
  mv "$FOLDER/marker.exe" "$FOLDER/$E2E_JAPANESE_FOLDER/"
  FOLDER=$FOLDER/$E2E_JAPANESE_FOLDER
  marker=$(e2e_windows_path "$FOLDER/marker.exe")
  dialog=$(e2e_open_file_dialog)
  # xdotool cannot type Japanese into Wine: the name goes in as UTF-16.
  e2e_set_dialog_text "$E2E_DIALOG_TITLE" Edit "$marker"
  e2e_keys "$dialog" Return
  e2e_check "marker.exe started from '$E2E_JAPANESE_FOLDER'" e2e_wait_for 10 e2e_marker_started_times 1
  e2e_log "$(cat "$FOLDER/marker.started")"
  e2e_check "its command line names the folder" grep -qF "$marker" "$FOLDER/marker.started"
  e2e_expect_no_window "^$E2E_FAILURE_CAPTION\$" 1
  # The next dialog opens in the remembered folder with marker.exe in its
  # name box: confirming it at once starts marker.exe from there again.
  dialog=$(e2e_open_file_dialog)
  offered=$(e2e_dialog_line "$E2E_DIALOG_TITLE" Edit)
  e2e_check "the next dialog offers marker.exe (got '$offered')" [ "${offered##*\\}" = marker.exe ]
  e2e_keys "$dialog" Return
  e2e_check "marker.exe started from '$E2E_JAPANESE_FOLDER' again" e2e_wait_for 10 e2e_marker_started_times 2
}
e2e_test test_file_in_a_japanese_folder_is_launched_under_code_page_1252

# e2e_shadowed_text TEXT COLOUR [SHADOW [HEIGHT]]: has shadowed-text.exe draw
# TEXT with its shadow (SHADOW pixels right and down, default 1) in the
# Japanese system font, or with HEIGHT in a Japanese outline face of that
# height; sets EXPECTED_TEXT (the picture), TEXT_W and TEXT_H (the height
# the font realises).
e2e_shadowed_text() {
  EXPECTED_TEXT="$E2E_WORK/expected-$((++E2E_TEXT_COUNT)).ppm"
  e2e_win_helper shadowed-text "$1" "$2" "$(e2e_windows_path "$EXPECTED_TEXT")" ${3:+"$3"} ${4:+"$4"} ||
    e2e_fail "shadowed-text '$1'"
  read -r TEXT_W TEXT_H <<<"$("$E2E_CONVERT" "$EXPECTED_TEXT" -format '%w %h' info:)"
}

# e2e_drawn_text_matches SHOT X Y TEXT [FROM]: whether the part of SHOT at
# (X, Y) the size of EXPECTED_TEXT is that picture, pixel for pixel, from its
# column FROM (default 0) on; logs the count.
e2e_drawn_text_matches() {
  local from=${5:-0} drawn="$EXPECTED_TEXT.drawn.png" expected="$EXPECTED_TEXT.part.png" differing
  local part="$((TEXT_W - from))x$TEXT_H"
  "$E2E_CONVERT" "$1" -crop "$part+$(($2 + from))+$3" +repage "$drawn"
  "$E2E_CONVERT" "$EXPECTED_TEXT" -crop "$part+$from+0" +repage "$expected"
  differing=$(e2e_differing_pixels "$drawn" "$expected")
  e2e_log "'$4' at ($2, $3), ${TEXT_W}x$TEXT_H from column $from: $differing pixels differ from Japanese glyphs"
  [ "$differing" -eq 0 ]
}

# e2e_right_of_footer SHOT X Y: the first column, counted from X, of the text
# at (X, Y) that the web-address line (drawn before it, pink: more red than
# blue, unlike the blue and black clock texts) leaves untouched.
e2e_right_of_footer() {
  "$E2E_CONVERT" "$1" -crop "${TEXT_W}x$TEXT_H+$2+$3" +repage -depth 8 txt:- |
    awk -F '[ ,:()]+' 'NR > 1 && $3 > $5 && $1 >= last { last = $1 + 1 } END { print last + 0 }'
}

# Where the code page is not 932 the stock system font has no Japanese
# glyphs: a wrong build draws boxes, or Latin letters for Shift-JIS bytes.
test_drawn_texts_are_japanese_glyphs_under_code_page_1252() {
  local folder shot wrong=0
  e2e_use_code_page_1252
  folder=$(e2e_event_folder glyphs 2007 6 20 0)
  # Blue clock texts, so that text and shadow differ.
  e2e_write_sjis "$folder/quorvendacolor.ini" 0 0 255 0 100
  e2e_open_clock "$folder" "2007-06-10 12:00:00"
  shot="$E2E_WORK/glyphs.png"
  e2e_screenshot "$shot"
  local countdown='6月20日 会議まで 10日間'
  e2e_shadowed_text "$countdown" "${E2E_SLOT_COLOURS[0]}"
  e2e_drawn_text_matches "$shot" 0 0 "$countdown" || wrong=$((wrong + 1))
  # The clock texts, flush right, stack upward from the bottom; the web
  # address runs under the date's left part.
  local text x bottom=$CLIENT_H from
  for text in '2007年  6月 10日' '12時  0分  0秒' '日曜日'; do
    e2e_shadowed_text "$text" 0000ff
    x=$((CLIENT_W - TEXT_W)) bottom=$((bottom - TEXT_H))
    from=$(e2e_right_of_footer "$shot" "$x" "$bottom")
    e2e_check "a third of '$text' at least is clear of the web address" [ "$from" -le $((TEXT_W * 2 / 3)) ]
    e2e_drawn_text_matches "$shot" "$x" "$bottom" "$text" "$from" || wrong=$((wrong + 1))
  done
  e2e_check "the countdown line and the clock texts are drawn in Japanese glyphs ($wrong wrong)" [ $wrong -eq 0 ]
}
e2e_test test_drawn_texts_are_japanese_glyphs_under_code_page_1252

# The client area at 2007-06-10 12:00:00 (frozen) with four events, as the
# program drew it under code page 932 before its texts went through the wide
# entry points (made with E2E_KEEP=1 from that build's reference.png, then
# `convert -strip`). The fonts come from scripts/setup.sh, so CI draws alike.
E2E_DIAL_REFERENCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/reference/dial-2007-06-10-cp932.png

_e2e_matches_reference() {
  e2e_screenshot "$1"
  [ "$(e2e_differing_pixels "$1" "$E2E_DIAL_REFERENCE")" -eq 0 ]
}

# Under code page 932 nothing changes, pixel for pixel: texts, labels, marks
# and hands. (This runs after the tests above, so it also shows that the
# shared prefix goes back to code page 932.)
test_dial_pixels_match_the_reference_under_code_page_932() {
  local folder shot
  folder=$(e2e_make_folder reference)
  e2e_write_sjis "$folder/quorvendadata1.txt" 会議 1 1 2007 6 20 旅行 1 1 2008 3 1 記念日 1 1 2010 6 10 \
    締切 1 1 2007 05 3
  e2e_open_clock "$folder" "2007-06-10 12:00:00"
  shot="$E2E_WORK/reference.png"
  if ! e2e_wait_for 5 _e2e_matches_reference "$shot"; then
    e2e_fail "$(e2e_differing_pixels "$shot" "$E2E_DIAL_REFERENCE") pixels differ from $E2E_DIAL_REFERENCE"
  fi
  e2e_log "ok: the client area is the reference picture"
}
e2e_test test_dial_pixels_match_the_reference_under_code_page_932
