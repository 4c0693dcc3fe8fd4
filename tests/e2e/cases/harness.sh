# shellcheck shell=bash
# The harness itself, proven on a minimal window of our own: it finds the
# window where it opened, and its GDI count stays flat for a sound program
# and grows with a program that leaks a pen on every paint.

test_harness_counts_gdi_objects_and_sees_a_leak() {
  local rows=(
    "e2e-minimal|sound|0"
    "e2e-leaky|leaking|1"
  )
  local row name title leaks folder before after window
  for row in "${rows[@]}"; do
    IFS='|' read -r name title leaks <<<"$row"
    folder=$(e2e_make_folder "$name")
    e2e_start_exe "$(e2e_helper "$name")" "$folder" E2E_MINIMAL_TITLE="$title"
    window=$(e2e_wait_window "^$title\$")
    e2e_check "$name opens where the clock opens, $E2E_WINDOW_GEOMETRY" \
      [ "$(e2e_geometry "$window")" = "$E2E_WINDOW_GEOMETRY" ]
    e2e_win_helper repaint-storm "$name.exe" 100 >/dev/null || e2e_fail "repaint-storm $name"
    before=$(e2e_gdi_count "$name.exe")
    e2e_win_helper repaint-storm "$name.exe" 1000 >/dev/null || e2e_fail "repaint-storm $name"
    after=$(e2e_gdi_count "$name.exe")
    e2e_log "$name: GDI objects $before before, $after after 1000 forced repaints"
    if [ "$leaks" = 1 ]; then
      e2e_check "$name: one more object for each forced repaint at least" [ $((after - before)) -ge 1000 ]
    else
      e2e_check "$name: no growth" [ "$after" -le "$before" ]
    fi
    e2e_stop_program
  done
}
e2e_test test_harness_counts_gdi_objects_and_sees_a_leak
