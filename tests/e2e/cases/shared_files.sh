# shellcheck shell=bash
# The data files shared with the user's own programs: a spreadsheet keeping
# the event list or the colour settings open changes nothing the clock
# draws, and an editor saving the event list over and over while the clock
# repaints as fast as it can never has a save in place or with a backup
# refused. A backup save renames the file away while the clock may have it
# open, which only the clock's sharing delete access allows. A save that
# renames a new copy over the file is refused by the system whenever it meets
# the clock's read, whatever the clock's sharing (a rename never replaces an
# open file): the clock holds the file only for the microseconds of one
# read, which is all it can do there, so those refusals are counted, not
# forbidden.

# e2e_held_folder NAME: a folder with all seven countdown lines on and blue
# hands, for a clock at a frozen time, whose every repaint draws the same.
e2e_held_folder() {
  local folder
  folder=$(e2e_make_folder "$1")
  e2e_slot_lines 1 7 1 | e2e_to_sjis_crlf >"$folder/quorvendadata1.txt"
  e2e_write_sjis "$folder/quorvendacolor.ini" 0 0 255 0 100
  echo "$folder"
}

test_a_spreadsheet_holding_a_data_file_changes_nothing_drawn() {
  local folder file shot differing
  folder=$(e2e_held_folder held)
  e2e_open_clock "$folder" "2007-06-10 12:00:00"
  e2e_wait_slots start "$E2E_ALL_SLOTS"
  for file in quorvendadata1.txt quorvendacolor.ini; do
    e2e_inject_locked "$folder/$file" as-spreadsheet
    # Repaints forced while the file is held: each reads both files again.
    e2e_win_helper repaint-storm "$E2E_PROGRAM_NAME" 10 >/dev/null || e2e_fail "repaint-storm"
    shot="$E2E_WORK/held-$file.png"
    e2e_screenshot "$shot"
    differing=$(e2e_differing_pixels "$E2E_WORK/start.png" "$shot")
    e2e_check "$file held by a spreadsheet: countdown lines and hand colour as before ($differing pixels differ)" \
      [ "$differing" -eq 0 ]
    e2e_release_locked
  done
}
e2e_test test_a_spreadsheet_holding_a_data_file_changes_nothing_drawn

# A third of the saves in place, a third by renaming a new copy over the
# file, a third with a backup.
E2E_EDITOR_SAVES=4500

test_editor_saves_while_the_clock_repaints_all_succeed() {
  local folder list saved storm result
  folder=$(e2e_held_folder saves)
  list="$folder/quorvendadata1.txt"
  # What the editor saves: slots 1 to 3 on, 4 to 7 off.
  saved="$E2E_WORK/saved-list.txt"
  { e2e_slot_lines 1 3 1; e2e_slot_lines 4 7 0; } | e2e_to_sjis_crlf >"$saved"
  e2e_open_clock "$folder" "2007-06-10 12:00:00"
  e2e_wait_slots start "$E2E_ALL_SLOTS"
  # Far more repaints than the saves take; stopped once they are done.
  wine "$(e2e_helper repaint-storm)" "$E2E_PROGRAM_NAME" 100000000 >/dev/null 2>>"$E2E_WORK/helpers.log" &
  storm=$!
  result=$(e2e_win_helper save-storm "$(e2e_windows_path "$list")" "$E2E_EDITOR_SAVES" \
    "$(e2e_windows_path "$saved")" | tr -d '\r') || true
  e2e_check "the clock repainted throughout the saves" kill -0 "$storm"
  kill -KILL "$storm"
  wait "$storm" 2>/dev/null || true
  e2e_log "save-storm: $result"
  local inPlace backup
  inPlace=$(awk '$1 == "in-place" { print $2, $4 }' <<<"$result")
  backup=$(awk '$9 == "backup" { print $10, $12 }' <<<"$result")
  e2e_check "every in-place save succeeded ($result)" [ "$inPlace" = "$((E2E_EDITOR_SAVES / 3)) 0" ]
  e2e_check "every save with a backup succeeded ($result)" [ "$backup" = "$((E2E_EDITOR_SAVES / 3)) 0" ]
  e2e_wait_slots saved "1 2 3"
}
e2e_test test_editor_saves_while_the_clock_repaints_all_succeed
