# shellcheck shell=bash
# End-to-end harness: a virtual X display, a Wine prefix, the program under
# test started in a folder of its own at a faked date, and the means to find
# its windows, drive it and look at its pixels. Sourced by run-all.sh; every
# test runs in a subshell of its own, whose EXIT trap tears down what it
# started even when the test fails.
#
# Set by run-all.sh: E2E_WINDOWS_BUILD, E2E_NATIVE_BUILD (absolute build
# directories), E2E_PREFIX (the run's Wine prefix), E2E_WORK (a scratch
# folder for this test).

E2E_SOURCE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
# shellcheck source=scripts/lib/wine_display.sh
source "$E2E_SOURCE_ROOT/scripts/lib/wine_display.sh"

E2E_FAKETIME_LIB=${E2E_FAKETIME_LIB:-/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1}
E2E_CONVERT=/usr/bin/convert
E2E_COMPARE=/usr/bin/compare
E2E_IMPORT=/usr/bin/import
# A colour the program never draws, so keyed-out pixels are unmistakable.
E2E_ROOT_COLOUR='#406080'
E2E_PROGRAM_NAME=quorvenda.exe

# What the tests look for of the program, set by e2e_load_facts from its own
# constants: the title it opens with, where its window opens ("x y width
# height", frame included), the background, slot 1 to 7 and footer-line
# colours (rrggbb) and the pens of the month and day hands as the trace
# names them.
# shellcheck disable=SC2034 # read by the cases files
E2E_CREATION_TITLE='' E2E_WINDOW_GEOMETRY='' E2E_BACKGROUND_COLOUR='' E2E_MONTH_HAND_PEN='' E2E_DAY_HAND_PEN=''
# shellcheck disable=SC2034
E2E_FOOTER_COLOUR=''
# shellcheck disable=SC2034
E2E_SLOT_COLOURS=()

# e2e_load_facts: sets the variables above from e2e-facts (native build).
e2e_load_facts() {
  local facts
  facts=$("$E2E_NATIVE_BUILD/tests/e2e/e2e-facts") || return 1
  eval "$facts"
}

e2e_program() { echo "$E2E_WINDOWS_BUILD/src/app/$E2E_PROGRAM_NAME"; }
e2e_helper() { echo "$E2E_WINDOWS_BUILD/tests/e2e/$1.exe"; }

e2e_log() { printf '[%s] %s\n' "$(date +%H:%M:%S.%N | cut -c1-12)" "$*"; }

# Ends the current test as failed. The reason goes to stderr, so that it
# reaches the log also from inside a command substitution.
e2e_fail() {
  e2e_log "FAILED: $*" >&2
  exit 1
}

# e2e_check DESCRIPTION COMMAND...: fails the test unless COMMAND succeeds.
e2e_check() {
  local what=$1
  shift
  if "$@"; then e2e_log "ok: $what"; else e2e_fail "$what"; fi
}

# The locale of the test's Wine processes. Wine takes its ANSI code page from
# the locale at every process start: ja_JP.UTF-8 gives 932, C.UTF-8 1252.
E2E_LOCALE=ja_JP.UTF-8

# The Wine environment every process of a run shares: the locale (Japanese
# unless the test chose another), quiet, the run's prefix.
e2e_wine_env() {
  wine_env "$E2E_LOCALE"
  export WINEPREFIX=$E2E_PREFIX
}

# e2e_use_locale LOCALE: runs the test's Wine processes under LOCALE from now
# on; call it before the first one starts. The run's prefix serves any
# locale: the code page is read when a process starts, not stored in it.
e2e_use_locale() {
  E2E_LOCALE=$1
  e2e_wine_env
}

# Creates the run's prefix: about 15 s and 700 MB, so once per run.
e2e_create_prefix() {
  e2e_wine_env
  wine_prefix_create "$WINEPREFIX"
}

# e2e_wait_for TIMEOUT_S COMMAND...: polls COMMAND every 0.1 s until it
# succeeds (0) or the timeout runs out (1).
e2e_wait_for() { wine_wait_for "$@"; }

# Starts the test's own X server, sets DISPLAY and a root colour that shows
# through keyed-out pixels.
e2e_start_display() {
  wine_display_start "$E2E_WORK/xvfb.log" || e2e_fail "Xvfb did not start"
  export DISPLAY=$WINE_DISPLAY
  xsetroot -solid "$E2E_ROOT_COLOUR" || e2e_fail "xsetroot on $DISPLAY"
  e2e_log "display $DISPLAY"
}

# Runs at every test's end, passed or failed: the program, every other Wine
# process of the prefix (wineserver -k), then the X server.
e2e_cleanup() {
  local status=$?
  set +e
  trap - ERR
  [ -n "${WINEPREFIX:-}" ] && e2e_stop_program
  [ -n "${WINE_XVFB_PID:-}" ] && wine_display_stop "$WINE_XVFB_PID"
  exit "$status"
}

# Sets up one test: its display and the shared prefix, cleanup on exit.
e2e_begin() {
  trap e2e_cleanup EXIT
  e2e_wine_env
  e2e_start_display
}

# e2e_make_folder NAME: an empty folder for the program to run in.
e2e_make_folder() {
  local folder="$E2E_WORK/$1"
  mkdir -p "$folder"
  echo "$folder"
}

# e2e_write_sjis FILE LINE...: writes the lines as a Shift-JIS text file.
e2e_write_sjis() {
  local file=$1
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$file"
}

# e2e_start_program FOLDER FAKETIME_SPEC: starts the program in FOLDER with
# the local clock faked by libfaketime, the program itself untouched.
# "2007-06-10 12:00:00" freezes the clock there; "@2007-06-10 12:00:00"
# starts it there and lets it run. Timers and GetTickCount stay real.
e2e_start_program() {
  local folder=$1 faketime=$2
  e2e_start_program_env "$folder" FAKETIME="$faketime" FAKETIME_DONT_FAKE_MONOTONIC=1
}

# e2e_start_program_env FOLDER VAR=VALUE...: as above, with the libfaketime
# settings given by the caller.
e2e_start_program_env() {
  local folder=$1
  shift
  e2e_start_faked_exe "$(e2e_program)" "$folder" "$@"
}

# e2e_start_faked_exe EXE FOLDER VAR=VALUE...: starts the Windows program EXE
# in FOLDER with libfaketime preloaded and set up by the caller's variables.
e2e_start_faked_exe() {
  local exe=$1 folder=$2
  shift 2
  # TZ=JST-9: the C runtime reads TZ itself and understands only this form.
  # NO_FAKE_STAT=1: real file times, or Wine re-runs its prefix update.
  e2e_start_exe "$exe" "$folder" TZ=JST-9 NO_FAKE_STAT=1 LD_PRELOAD="$E2E_FAKETIME_LIB" "$@"
}

# e2e_start_exe EXE FOLDER VAR=VALUE...: starts a Windows program in FOLDER
# with the given environment; E2E_PROGRAM_PID is its process.
e2e_start_exe() {
  local exe=$1 folder=$2
  shift 2
  (cd "$folder" && exec env "$@" wine "$exe" >>"$E2E_WORK/program.log" 2>&1) &
  E2E_PROGRAM_PID=$!
  e2e_log "started ${exe##*/} (pid $E2E_PROGRAM_PID) in $folder: $*"
}

# e2e_stop_program: ends the program and every Wine process of the prefix.
e2e_stop_program() {
  if [ -n "${E2E_PROGRAM_PID:-}" ]; then kill "$E2E_PROGRAM_PID" 2>/dev/null || true; fi
  wine_prefix_stop "$WINEPREFIX"
  if [ -n "${E2E_PROGRAM_PID:-}" ]; then wait "$E2E_PROGRAM_PID" 2>/dev/null || true; fi
  E2E_PROGRAM_PID=
}

# e2e_program_exit_code: waits for the program to end; prints its exit code.
# Call it in the test's own shell (redirect its output to a file): a command
# substitution's subshell cannot wait for a program that is still exiting and
# reads its status as -1.
e2e_program_exit_code() {
  local code=0
  wait "$E2E_PROGRAM_PID" || code=$?
  E2E_PROGRAM_PID=
  echo "$code"
}

e2e_program_running() { [ -n "${E2E_PROGRAM_PID:-}" ] && kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; }

# e2e_find_window REGEX: the first visible X window whose title matches.
e2e_find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }

# The titles of all visible windows, quoted, for failure messages.
e2e_shown_titles() {
  local window
  for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    printf "'%s' " "$(xdotool getwindowname "$window")"
  done
}

e2e_window_shown() { [ -n "$(e2e_find_window "$1")" ]; }
e2e_window_absent() { [ -z "$(e2e_find_window "$1")" ]; }

# e2e_wait_window REGEX [TIMEOUT_S]: prints the window id once it is shown.
e2e_wait_window() {
  e2e_wait_for "${2:-10}" e2e_window_shown "$1" ||
    e2e_fail "no window matching '$1' within ${2:-10} s; shown: $(e2e_shown_titles)"
  e2e_find_window "$1"
}

# e2e_wait_window_gone REGEX [TIMEOUT_S]
e2e_wait_window_gone() {
  e2e_wait_for "${2:-10}" e2e_window_absent "$1" || e2e_fail "window '$1' still shown after ${2:-10} s"
}

# e2e_expect_no_window REGEX SECONDS: watches for SECONDS that no such window
# comes up. Message boxes appear within 0.2 s of the request, so a few
# seconds without one mean none is coming.
e2e_expect_no_window() {
  if e2e_wait_for "$2" e2e_window_shown "$1"; then
    e2e_fail "unexpected window '$1'"
  fi
  e2e_log "ok: no window '$1' within $2 s"
}

# How e2e_wait_main_window finds the main window: by its creation title, or
# (class) by its X class, which Wine takes from the program's file name, for
# tests about something other than the title.
E2E_MAIN_WINDOW_BY=title

# e2e_wait_main_window [TIMEOUT_S]: prints the main window's X id.
e2e_wait_main_window() {
  if [ "$E2E_MAIN_WINDOW_BY" = class ]; then
    e2e_wait_for "${1:-15}" e2e_program_window_shown || e2e_fail "no window of $E2E_PROGRAM_NAME within ${1:-15} s"
    e2e_find_program_window
  else
    e2e_wait_window "^$E2E_CREATION_TITLE\$" "${1:-15}"
  fi
}

e2e_find_program_window() { wine_program_window "$E2E_PROGRAM_NAME"; }
e2e_program_window_shown() { wine_program_window_shown "$E2E_PROGRAM_NAME"; }

e2e_title() { xdotool getwindowname "$1"; }

e2e_title_is() { [ "$(e2e_title "$1")" = "$2" ]; }

# e2e_geometry WINDOW: "x y width height" of the outer window on the screen.
e2e_geometry() { wine_window_geometry "$1"; }

# e2e_win_helper NAME ARGS...: runs one of the Windows helper programs.
e2e_win_helper() {
  local name=$1
  shift
  timeout 120 wine "$(e2e_helper "$name")" "$@" 2>>"$E2E_WORK/helpers.log"
}

# e2e_client_rect: sets CLIENT_X CLIENT_Y CLIENT_W CLIENT_H, the main
# window's client area in screen coordinates, as the program sees it.
e2e_client_rect() {
  local rect
  rect=$(e2e_win_helper client-rect "$E2E_PROGRAM_NAME" | tr -d '\r') || e2e_fail "client-rect"
  read -r CLIENT_X CLIENT_Y CLIENT_W CLIENT_H <<<"$rect"
  [ -n "$CLIENT_H" ] || e2e_fail "client-rect printed '$rect'"
  e2e_log "client area ${CLIENT_W}x$CLIENT_H at ($CLIENT_X, $CLIENT_Y)"
}

# e2e_gdi_count: the program's live GDI objects.
# The smallest of three readings a tenth of a second apart: the clock's own
# timer may be in the middle of a repaint, whose pens, font and bitmap live
# only until it returns, while a leak shows in every reading.
e2e_gdi_count() {
  local reading least=
  for _ in 1 2 3; do
    reading=$(e2e_win_helper gdicount "${1:-$E2E_PROGRAM_NAME}" | tr -d '\r')
    [ -n "$least" ] && [ "$least" -le "$reading" ] || least=$reading
    sleep 0.1
  done
  echo "$least"
}

# e2e_dialog_text CAPTION: the controls of a dialog as "class<TAB>text" lines,
# in UTF-8, read as UTF-16 whatever the code page.
e2e_dialog_text() {
  e2e_win_helper dialog-text "$1" | tr -d '\r'
}

# e2e_set_dialog_text CAPTION CLASS TEXT: puts TEXT into the dialog's first
# visible control of CLASS, for texts that xdotool cannot type into Wine
# (Japanese ones).
e2e_set_dialog_text() {
  e2e_win_helper dialog-text "$@" >/dev/null || e2e_fail "could not set the $2 of '$1' to '$3'"
}

# e2e_windows_path PATH: PATH as Windows programs under Wine name it (drive Z:).
e2e_windows_path() { echo "Z:${1//\//\\}"; }

# e2e_screenshot FILE: the main window's client area as the screen shows it,
# taken from the root window so that keyed-out pixels show the root colour.
e2e_screenshot() {
  "$E2E_IMPORT" -window root -crop "${CLIENT_W}x$CLIENT_H+$CLIENT_X+$CLIENT_Y" +repage "$1" \
    || e2e_fail "screenshot $1"
}

# e2e_pixel FILE X Y: the colour at (X, Y) as rrggbb.
e2e_pixel() {
  "$E2E_CONVERT" "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6 | tr 'A-F' 'a-f'
}

# e2e_count_colour FILE X Y WIDTH HEIGHT RRGGBB: pixels of exactly that
# colour in the rectangle.
e2e_count_colour() {
  local colour
  colour=$(echo "$6" | tr 'a-f' 'A-F')
  "$E2E_CONVERT" "$1" -crop "$4x$5+$2+$3" +repage -alpha off -format %c histogram:info:- |
    awk -v c="#$colour" '$0 ~ c { n += $1 } END { print n + 0 }'
}

# e2e_differing_pixels A B [X Y WIDTH HEIGHT]: how many pixels differ.
e2e_differing_pixels() {
  local a=$1 b=$2
  shift 2
  if [ $# -eq 4 ]; then
    "$E2E_CONVERT" "$a" -crop "$3x$4+$1+$2" +repage "$a.part.png"
    "$E2E_CONVERT" "$b" -crop "$3x$4+$1+$2" +repage "$b.part.png"
    a=$a.part.png b=$b.part.png
  fi
  # compare exits 1 when the pictures differ: that is an answer, not a failure.
  # Anything but a count (pictures of different sizes, say) prints -1, which
  # neither "same" (0) nor "differs" (> 0) accepts.
  { "$E2E_COMPARE" -metric AE "$a" "$b" null: 2>&1 || true; } |
    awk '$1 ~ /^[0-9.e+]+$/ { print int($1); next } { print "compare: " $0 > "/dev/stderr"; print -1 }'
}

# e2e_mask_window FILE WINDOW: blacks out, in a client-area screenshot, the
# part that WINDOW (a message box or dialog) covers, so only the clock's own
# pixels are compared.
e2e_mask_window() {
  local x y w h
  read -r x y w h <<<"$(e2e_geometry "$2")"
  x=$((x - CLIENT_X)) y=$((y - CLIENT_Y))
  "$E2E_CONVERT" "$1" -fill black -draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))" "$1"
}

# e2e_wait_repaint NAME [X Y WIDTH HEIGHT | beside WINDOW]: takes a
# screenshot, then keeps taking them until one differs in the given part
# (default: all of it; "beside WINDOW": all but what WINDOW covers); fails if
# none does within 5 s. The clock redraws its second hand and time text once
# a second.
e2e_wait_repaint() {
  local name=$1
  shift
  E2E_REPAINT_PART=("$@")
  local first="$E2E_WORK/$name-1.png" later="$E2E_WORK/$name-2.png"
  _e2e_repaint_shot "$first"
  e2e_wait_for 5 _e2e_repainted "$first" "$later" || e2e_fail "$name: the window did not repaint within 5 s"
  e2e_log "ok: $name: the window repainted"
}

_e2e_repaint_shot() {
  e2e_screenshot "$1"
  if [ "${E2E_REPAINT_PART[0]:-}" = beside ]; then e2e_mask_window "$1" "${E2E_REPAINT_PART[1]}"; fi
}

_e2e_repainted() {
  _e2e_repaint_shot "$2"
  local region=()
  [ ${#E2E_REPAINT_PART[@]} -eq 4 ] && region=("${E2E_REPAINT_PART[@]}")
  [ "$(e2e_differing_pixels "$1" "$2" "${region[@]}")" -gt 0 ]
}

# e2e_close_request WINDOW: what a window manager sends for the close button.
e2e_close_request() {
  "$E2E_NATIVE_BUILD/tests/e2e/x-close-request" "$1" || e2e_fail "x-close-request $1"
}

# e2e_keys WINDOW KEY...: gives WINDOW the keyboard focus and types the keys.
e2e_keys() {
  local window=$1
  shift
  e2e_focus "$window"
  xdotool key --delay 50 "$@"
}

# e2e_focus WINDOW: gives WINDOW the keyboard focus and waits until it has it.
e2e_focus() {
  timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
}

# e2e_type WINDOW TEXT: types TEXT into WINDOW.
e2e_type() {
  e2e_focus "$1"
  xdotool type --delay 20 "$2"
}

# e2e_right_click X Y: a right-click at (X, Y) of the client area. (No
# --sync: it waits for a move that never comes when the pointer is there.)
e2e_right_click() {
  xdotool mousemove $((CLIENT_X + $1)) $((CLIENT_Y + $2)) click 3
}

# The program under test.

E2E_EVENT_NAME='会議'

# e2e_event_folder NAME YEAR MONTH DAY DIAL_FLAG: a folder whose event list
# has slot 1 only, with its countdown line on.
e2e_event_folder() {
  local folder
  folder=$(e2e_make_folder "$1")
  e2e_write_sjis "$folder/quorvendadata1.txt" "$E2E_EVENT_NAME" "$5" 1 "$2" "$3" "$4"
  echo "$folder"
}

# e2e_open_clock FOLDER [FAKETIME_SPEC]: starts the program in FOLDER, by
# default at a running faked clock, and waits for its window and client area.
# E2E_CLOCK_FOLDER and E2E_CLOCK_AT keep the folder and time for the trace.
e2e_open_clock() {
  E2E_CLOCK_FOLDER=$1 E2E_CLOCK_AT=${2:-@2007-06-10 12:00:00}
  e2e_start_program "$E2E_CLOCK_FOLDER" "$E2E_CLOCK_AT"
  # shellcheck disable=SC2034 # the window the tests then drive
  MAIN_WINDOW=$(e2e_wait_main_window 15)
  e2e_client_rect
}
