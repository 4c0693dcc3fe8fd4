# shellcheck shell=bash
# Faults in the data files, present at start-up or made while the clock runs:
# the clock survives each and keeps repainting.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

# make_fault NAME FOLDER: puts the fault NAME into FOLDER.
make_fault() {
  local events="$2/quorvendadata1.txt" colours="$2/quorvendacolor.ini"
  case $1 in
    missing) rm -f "$events" "$colours" ;;
    directories) rm -f "$events" "$colours" && mkdir "$events" "$colours" ;;
    unreadable) chmod 000 "$events" "$colours" ;;
    # One line of 50 MB without a line end, in each file.
    huge-line) head -c 50000000 /dev/zero | tr '\0' 7 | tee "$events" >"$colours" ;;
    random-bytes) head -c 200000 /dev/urandom | tee "$events" >"$colours" ;;
    absurd-colours) clock_write_file "$colours" $'99999999999\n-2147483648\n2147483647\n1\n-99999999999' ;;
    half-utf16) printf '\xff\xfe\x41' >"$events" ;;
    *) x11_fail "no fault $1" ;;
  esac
}

fault_rows=(missing directories unreadable huge-line random-bytes absurd-colours half-utf16)

# How long a faulty clock may take to open and to show its next second. Each
# repaint of the sanitized build reads two 50 MB lines in about 1.6 s of CPU,
# which on a loaded machine can stretch to several seconds; a clock that has
# stopped never repaints, so a generous wait costs nothing when all is well.
FAULT_WAIT_S=30

clock_keeps_ticking() {
  x11_program_running || x11_fail "$1: the clock ended"
  x11_screenshot "$X11_WORK/before.png" "$X11_WINDOW"
  clock_wait_repaint "$X11_WINDOW" "$X11_WORK/before.png" "$FAULT_WAIT_S" ||
    x11_fail "$1: the clock stopped repainting"
}

test_file_faults() {
  local fault when
  x11_begin faults
  x11_start_display
  for fault in "${fault_rows[@]}"; do
    for when in at-start while-running; do
      rm -rf "$X11_WORK/clock"
      clock_folder "$BLACK_OPAQUE" "$MEETING"
      [ "$when" = while-running ] || make_fault "$fault" "$CLOCK_FOLDER"
      CLOCK_START_WAIT_S=$FAULT_WAIT_S X11_FAKETIME='' clock_start
      [ "$when" = at-start ] || make_fault "$fault" "$CLOCK_FOLDER"
      clock_keeps_ticking "$fault $when"
      kill "$X11_PROGRAM_PID"
      x11_wait_exit 10 || x11_fail "$fault $when: the clock did not end"
      x11_log "ok: $fault, $when"
    done
  done
}
