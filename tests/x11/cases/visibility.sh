# shellcheck shell=bash
# A clock nobody can see costs nothing: while iconified it neither draws nor
# reads its files, whether the window manager unmaps it or keeps it mapped,
# and once restored it repaints at once, not at the next tick, whichever
# order the map and state events come in.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

COUNT_OPENS="$X11_LIB_DIR/../../e2e/lib/count_opens.py"

# opens SECONDS: how often the clock opens its event file (once a repaint) within SECONDS.
opens() { "$X11_PYTHON" "$COUNT_OPENS" "$CLOCK_FOLDER/quorvendadata1.txt" "$1"; }
wm_state_is() { xprop -id "$X11_WINDOW" WM_STATE | grep -q "window state: $1"; }
window_viewable() { xwininfo -id "$X11_WINDOW" | grep -q 'Map State: IsViewable'; }

# How the window is iconified and restored: a window manager that unmaps it
# (openbox), one that keeps it mapped and sets its state (the properties set
# directly), or an unmap and map with no window manager.
# name | window manager | iconify | restore
visibility_rows=(
  "openbox unmaps|yes|xdotool windowminimize \$X11_WINDOW|xdotool windowmap \$X11_WINDOW"
  "kept mapped, hidden|no|x11_probe wm-state \$X11_WINDOW iconic|x11_probe wm-state \$X11_WINDOW normal"
  "unmapped, no window manager|no|xdotool windowunmap \$X11_WINDOW|xdotool windowmap \$X11_WINDOW"
)

# restored_at_once COMMAND: runs COMMAND early in a second, just after a tick,
# and the clock opens its event file before the next tick is due.
restored_at_once() {
  local times="$X11_WORK/opens.txt" fraction restored first
  "$X11_PYTHON" "$COUNT_OPENS" --times "$CLOCK_FOLDER/quorvendadata1.txt" 2 >"$times" &
  local watch=$!
  x11_wait_for 5 grep -q '^from ' "$times" || x11_fail "the watch did not start"
  # The ticks come just after each whole second: from 0.05 s to 0.3 s into one, the next is 0.7 s away.
  until fraction=$(date +%N) && [ "${fraction:0:2}" -ge 05 ] && [ "${fraction:0:2}" -lt 30 ]; do sleep 0.01; done
  restored=$(date +%s.%N)
  eval "$1"
  wait "$watch"
  first=$(awk '$1 == "open" { print $2; exit }' "$times")
  [ -n "$first" ] || return 1
  awk -v first="$first" -v restored="$restored" 'BEGIN { exit !(first < int(restored) + 1) }'
}

test_iconified_clock_draws_nothing() {
  local row name wm iconify restore count
  for row in "${visibility_rows[@]}"; do
    IFS='|' read -r name wm iconify restore <<<"$row"
    (
      x11_begin iconified
      x11_start_display
      [ "$wm" = no ] || x11_start_window_manager
      # Keyed: a repaint would also send the window a shape.
      clock_folder $'0\n0\n0\n1\n100' "$MEETING"
      X11_FAKETIME='' clock_start
      count=$(opens 2)
      [ "$count" -ge 1 ] || x11_fail "$name: no repaint in 2 s while shown"
      eval "$iconify"
      [ "$name" != "kept mapped, hidden" ] || window_viewable || x11_fail "$name: the window was unmapped"
      [ "$wm" = no ] || x11_wait_for 10 wm_state_is Iconic || x11_fail "$name: the window did not iconify"
      count=$(opens 2.5)
      [ "$count" -eq 0 ] || x11_fail "$name: $count repaints in 2.5 s while iconified"
      restored_at_once "$restore" || x11_fail "$name: no repaint at once when restored: $(tr '\n' ' ' <"$X11_WORK/opens.txt")"
      count=$(opens 2.5)
      [ "$count" -ge 1 ] || x11_fail "$name: no tick in 2.5 s once restored"
      x11_log "ok: $name"
    ) || exit 1
  done
}
