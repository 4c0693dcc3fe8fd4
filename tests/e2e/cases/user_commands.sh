# shellcheck shell=bash
# The two user commands, driven from outside as a user would: closing with
# its confirmation, and the right-click launcher with its confirmation, file
# dialog and launch.

E2E_CLOSE_CAPTION='終了確認'
E2E_CLOSE_TEXT='Quorvendaを終了しますか？（設定ファイルの呼び出しは黄針の上で右クリック）'
E2E_LAUNCH_CAPTION='確認'
E2E_LAUNCH_TEXT='Quorvendaの設定ファイルを開きます'
E2E_DIALOG_TITLE='Quorvendaの設定したいファイルを選択して下さい'
E2E_FAILURE_CAPTION='失敗'
E2E_FAILURE_TEXT='実行に失敗しました'

# Starts the clock in a folder of its own, with marker.exe and a file of a
# type nothing opens beside it; sets FOLDER, MAIN_WINDOW, the client area and
# the dial's circles.
e2e_open_commands_clock() {
  FOLDER=$(e2e_event_folder "$1" 2007 6 20 1)
  cp "$(e2e_helper marker)" "$FOLDER/marker.exe"
  : >"$FOLDER/events.zzq"
  e2e_open_clock "$FOLDER"
  e2e_trace_dial
}

# A client point outside the dial's outer circle and clear of every text,
# where only white background is drawn: far from any hand.
e2e_far_point() {
  local x=$((CLIENT_W - 12)) y=$((CENTRE_Y + OUTER_RADIUS * 4 / 5))
  local dx=$((x - CENTRE_X)) dy=$((y - CENTRE_Y))
  [ $((dx * dx + dy * dy)) -gt $((OUTER_RADIUS * OUTER_RADIUS)) ] || e2e_fail "($x, $y) is inside the dial"
  echo "$x $y"
}

e2e_right_click_far_from_hands() {
  local x y
  read -r x y <<<"$(e2e_far_point)"
  e2e_right_click "$x" "$y"
}

# Second hand only: the inner disc, where nothing but the hands moves.
e2e_wait_second_hand() {
  e2e_wait_repaint "$1" $((CENTRE_X - INNER_RADIUS)) $((CENTRE_Y - INNER_RADIUS)) \
    $((2 * INNER_RADIUS)) $((2 * INNER_RADIUS))
}

# e2e_expect_dialog_lines CAPTION LINE...: the dialog's visible controls are
# exactly these "class<TAB>text" lines, in this order.
e2e_expect_dialog_lines() {
  local caption=$1
  shift
  local expected actual
  expected=$(printf '%s\n' "$@")
  actual=$(e2e_dialog_text "$caption")
  [ "$actual" = "$expected" ] || e2e_fail "controls of '$caption':"$'\n'"$actual"$'\n'"expected:"$'\n'"$expected"
  e2e_log "ok: controls of '$caption'"
}

# e2e_dialog_line CAPTION CLASS: the text of the first visible control of CLASS.
e2e_dialog_line() {
  e2e_dialog_text "$1" | awk -F '\t' -v c="$2" '$1 == c { print $2; exit }'
}

# Right-click, OK: prints the file dialog's window id.
e2e_open_file_dialog() {
  local box
  e2e_right_click_far_from_hands
  box=$(e2e_wait_window "^$E2E_LAUNCH_CAPTION\$" 5)
  e2e_keys "$box" Return
  e2e_wait_window "^$E2E_DIALOG_TITLE\$" 10
}

# e2e_choose_file DIALOG PATH: types PATH (as Wine's drive Z:) into the file
# name box and confirms it.
e2e_choose_file() {
  local dialog=$1
  e2e_keys "$dialog" ctrl+a
  e2e_type "$dialog" "$(e2e_windows_path "$2")"
  e2e_keys "$dialog" Return
}

test_close_then_cancel_keeps_the_clock_ticking() {
  # how the question is answered | what the user does
  local rows=(
    "Escape|presses Esc"
    "Tab Return|presses the Cancel button"
    "close-request|closes the question box"
  )
  e2e_open_commands_clock close-cancel
  local row answer what box keys first=1 n=0
  for row in "${rows[@]}"; do
    n=$((n + 1))
    IFS='|' read -r answer what <<<"$row"
    e2e_close_request "$MAIN_WINDOW"
    box=$(e2e_wait_window "^$E2E_CLOSE_CAPTION\$" 5)
    if [ $first = 1 ]; then
      e2e_expect_dialog_lines "$E2E_CLOSE_CAPTION" $'Static\t' $'Button\tOK' $'Button\tキャンセル' \
        $'Static\t'"$E2E_CLOSE_TEXT"
      e2e_wait_repaint painting-under-close-question beside "$box"
      first=0
    fi
    if [ "$answer" = close-request ]; then
      e2e_close_request "$box"
    else
      read -r -a keys <<<"$answer"
      e2e_keys "$box" "${keys[@]}"
    fi
    e2e_wait_window_gone "^$E2E_CLOSE_CAPTION\$" 5
    e2e_check "the user $what: the program runs on" e2e_program_running
    e2e_check "the user $what: the window stays" e2e_window_shown "^$E2E_CREATION_TITLE\$"
    e2e_wait_second_hand "after-answer-$n"
  done
}
e2e_test test_close_then_cancel_keeps_the_clock_ticking

test_close_then_ok_ends_the_program_with_exit_code_0() {
  local rows=(
    "Return|presses Enter"
    "space|presses the OK button"
  )
  local row answer what box code
  for row in "${rows[@]}"; do
    IFS='|' read -r answer what <<<"$row"
    e2e_open_commands_clock "close-ok-$answer"
    e2e_close_request "$MAIN_WINDOW"
    box=$(e2e_wait_window "^$E2E_CLOSE_CAPTION\$" 5)
    e2e_keys "$box" "$answer"
    e2e_wait_window_gone "^$E2E_CREATION_TITLE\$" 10
    # Not inside $(...): that subshell cannot wait for a program still exiting.
    e2e_program_exit_code >"$E2E_WORK/exit-code"
    code=$(<"$E2E_WORK/exit-code")
    e2e_check "the user $what: exit code 0 (got $code)" [ "$code" = 0 ]
  done
}
e2e_test test_close_then_ok_ends_the_program_with_exit_code_0

test_right_click_then_cancel_opens_no_file_dialog() {
  local box
  e2e_open_commands_clock right-click-cancel
  e2e_right_click_far_from_hands
  box=$(e2e_wait_window "^$E2E_LAUNCH_CAPTION\$" 5)
  e2e_expect_dialog_lines "$E2E_LAUNCH_CAPTION" $'Static\t' $'Button\tOK' $'Button\tキャンセル' \
    $'Static\t'"$E2E_LAUNCH_TEXT"
  e2e_wait_repaint painting-under-launch-question beside "$box"
  e2e_keys "$box" Escape
  e2e_wait_window_gone "^$E2E_LAUNCH_CAPTION\$" 5
  e2e_expect_no_window "^$E2E_DIALOG_TITLE\$" 2
  e2e_wait_second_hand after-cancel
}
e2e_test test_right_click_then_cancel_opens_no_file_dialog

test_file_dialog_opens_and_cancelling_it_launches_nothing() {
  local dialog
  e2e_open_commands_clock dialog-cancel
  dialog=$(e2e_open_file_dialog)
  e2e_check "the file name starts empty" [ -z "$(e2e_dialog_line "$E2E_DIALOG_TITLE" Edit)" ]
  local controls
  controls=$(e2e_dialog_text "$E2E_DIALOG_TITLE")
  e2e_check "the first filter is selected" grep -qxF $'ComboBox\tExcel files(*.xls)' <<<"$controls"
  e2e_check "no read-only check box" [ "${controls/読み取り専用/}" = "$controls" ]
  e2e_wait_repaint painting-under-file-dialog beside "$dialog"
  # The dialog is owned by the main window, which takes no clicks meanwhile.
  e2e_right_click_far_from_hands
  e2e_expect_no_window "^$E2E_LAUNCH_CAPTION\$" 2
  e2e_check "still one file dialog" \
    [ "$(xdotool search --onlyvisible --name "^$E2E_DIALOG_TITLE\$" | wc -l)" -eq 1 ]
  e2e_keys "$dialog" Escape
  e2e_wait_window_gone "^$E2E_DIALOG_TITLE\$" 5
  e2e_expect_no_window "^$E2E_FAILURE_CAPTION\$" 2
  e2e_check "nothing was launched" [ ! -e "$FOLDER/marker.started" ]
  e2e_wait_second_hand after-dialog-cancel
}
e2e_test test_file_dialog_opens_and_cancelling_it_launches_nothing

test_failed_launch_shows_the_failure_box_and_the_clock_runs_on() {
  local dialog box
  e2e_open_commands_clock launch-fails
  dialog=$(e2e_open_file_dialog)
  e2e_choose_file "$dialog" "$FOLDER/events.zzq"
  box=$(e2e_wait_window "^$E2E_FAILURE_CAPTION\$" 10)
  e2e_expect_dialog_lines "$E2E_FAILURE_CAPTION" $'Static\t' $'Button\tOK' $'Static\t'"$E2E_FAILURE_TEXT"
  e2e_wait_repaint painting-under-failure-box beside "$box"
  e2e_keys "$box" Return
  e2e_wait_window_gone "^$E2E_FAILURE_CAPTION\$" 5
  e2e_check "the program runs on" e2e_program_running
  e2e_wait_second_hand after-failure
}
e2e_test test_failed_launch_shows_the_failure_box_and_the_clock_runs_on

e2e_marker_starts() { grep -c '^parameter count:' "$FOLDER/marker.started" 2>/dev/null || echo 0; }
e2e_marker_started_times() { [ "$(e2e_marker_starts)" -eq "$1" ]; }

test_chosen_program_starts_without_parameters_and_is_offered_again() {
  local dialog
  e2e_open_commands_clock launch-marker
  dialog=$(e2e_open_file_dialog)
  e2e_choose_file "$dialog" "$FOLDER/marker.exe"
  e2e_check "marker.exe started" e2e_wait_for 10 e2e_marker_started_times 1
  e2e_log "$(cat "$FOLDER/marker.started")"
  e2e_check "with no parameters" grep -qx 'parameter count: 0' "$FOLDER/marker.started"
  e2e_check "the file dialog is gone" e2e_window_absent "^$E2E_DIALOG_TITLE\$"
  # Second use in the same run: the dialog starts on the file chosen first,
  # so confirming it at once starts marker.exe again.
  dialog=$(e2e_open_file_dialog)
  local offered
  offered=$(e2e_dialog_line "$E2E_DIALOG_TITLE" Edit)
  e2e_check "the dialog offers marker.exe again (got '$offered')" [ "${offered##*\\}" = marker.exe ]
  e2e_keys "$dialog" Return
  e2e_check "marker.exe started a second time" e2e_wait_for 10 e2e_marker_started_times 2
  e2e_check "the program runs on" e2e_program_running
}
e2e_test test_chosen_program_starts_without_parameters_and_is_offered_again
