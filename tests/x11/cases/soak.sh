# shellcheck shell=bash
# Thousands of repaints in one process, with every clock of the program sped
# up so that they follow one another: neither its memory nor its X resources
# (pixmaps, pictures, GCs) grow. The colour key is on, so each repaint also
# remakes the window's shapes: the bounding one on a plain server, only the
# input one on an RGBA window under a compositor. The repaints are counted
# by the event file's opens, which every repaint makes whatever the window.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

# The long soak (scripts/soak.sh) runs these cases with X11_SOAK_REPAINTS=10000.
SOAK_REPAINTS=${X11_SOAK_REPAINTS:-3000}
SOAK_GROWTH_KIB=2048  # a leak of a kilobyte a repaint shows many times over

# A pixel left of the dial, which only the keyed-out white reaches, is outside the bounding shape.
white_outside_shape() {
  local h
  read -r _ _ _ h <<<"$(x11_client_rect "$X11_WINDOW")"
  ! x11_probe in-shape "$X11_WINDOW" bounding 2 $((h / 2))
}

# soak_clock shaped|rgba: one soak of the keyed-out clock, on a plain X
# server or under a compositor. Both windows are RGBA; the shaped one keys
# white out with its bounding shape, the other with alpha.
soak_clock() {
  local what=$1 early late counts
  x11_begin "soak-$what"
  x11_start_display
  [ "$what" = shaped ] || x11_start_compositor
  clock_folder $'255\n0\n0\n1\n100' "$MEETING"
  # Without the sanitizer's quarantine of freed memory, which would grow the resident size by itself.
  ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0:quarantine_size_mb=0 FAKETIME_DONT_FAKE_MONOTONIC=0 \
    X11_FAKETIME='@2007-06-10 12:00:00 x600' clock_start
  xwininfo -id "$X11_WINDOW" | grep -q 'Depth: 32$' || x11_fail "$what: the window is not an RGBA window"
  if [ "$what" = shaped ]; then
    x11_wait_for 10 white_outside_shape || x11_fail "shaped: the keyed-out white is inside the bounding shape"
  else
    ! white_outside_shape || x11_fail "rgba: the window has a bounding shape under a compositor"
  fi
  mapfile -t counts < <("$X11_PYTHON" "$X11_LIB_DIR/opens_soak.py" "$CLOCK_FOLDER/quorvendadata1.txt" "$X11_WINDOW" \
    "$X11_PROGRAM_PID" "$SOAK_REPAINTS")
  [ "${#counts[@]}" -eq 2 ] || x11_fail "$what: the clock did not repaint $SOAK_REPAINTS times: ${counts[*]}"
  read -r -a early <<<"${counts[0]}"
  read -r -a late <<<"${counts[1]}"
  x11_log "$what: after ${early[0]} repaints: ${early[1]} KiB, ${early[2]} X resources;" \
    "after ${late[0]}: ${late[1]} KiB, ${late[2]}"
  [ "${late[2]}" -le "${early[2]}" ] || x11_fail "$what: X resources grew from ${early[2]} to ${late[2]}"
  [ $((late[1] - early[1])) -le "$SOAK_GROWTH_KIB" ] || x11_fail "$what: memory grew from ${early[1]} to ${late[1]} KiB"
}

test_soak() {
  local what pids=() status=0 pid
  # Both at once, each on its own X server: the soak counts repaints and
  # asserts no time, so sharing the processors changes only how long it takes.
  for what in shaped rgba; do
    soak_clock "$what" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
  return "$status"
}
