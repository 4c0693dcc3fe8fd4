# shellcheck shell=bash
# A clock nobody can see costs nothing: while iconified it neither draws nor
# reads its files, and once restored it repaints at once and ticks again.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

COUNT_OPENS="$X11_LIB_DIR/../../e2e/lib/count_opens.py"

# opens SECONDS: how often the clock opens its event file (once a repaint) within SECONDS.
opens() { "$X11_PYTHON" "$COUNT_OPENS" "$CLOCK_FOLDER/quorvendadata1.txt" "$1"; }
iconified() { xprop -id "$X11_WINDOW" WM_STATE | grep -q 'window state: Iconic'; }
normal() { xprop -id "$X11_WINDOW" WM_STATE | grep -q 'window state: Normal'; }

test_iconified_clock_draws_nothing() {
  local count
  x11_begin iconified
  x11_start_display
  x11_start_window_manager
  # Keyed: a repaint would also send the window a shape.
  clock_folder $'0\n0\n0\n1\n100' "$MEETING"
  clock_start
  count=$(opens 3)
  [ "$count" -ge 1 ] || x11_fail "no repaint in 3 s while shown"
  xdotool windowminimize "$X11_WINDOW"
  x11_wait_for 10 iconified || x11_fail "the window did not iconify"
  count=$(opens 2.5)
  [ "$count" -eq 0 ] || x11_fail "$count repaints in 2.5 s while iconified"
  xdotool windowmap "$X11_WINDOW"
  x11_wait_for 10 normal || x11_fail "the window was not restored"
  count=$(opens 3)
  [ "$count" -ge 1 ] || x11_fail "no repaint in 3 s once restored"
}
