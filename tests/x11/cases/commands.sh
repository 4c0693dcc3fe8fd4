# shellcheck shell=bash
# Both user commands under a window manager (GTK's boxes take keys only from
# one): the close question answered each way, and the right-click launcher
# through the file chooser to a test default application, and a failed launch.
# shellcheck source=tests/x11/lib/clock.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib/clock.sh"

CLOSE_CAPTION='終了確認'
LAUNCHER_CAPTION='確認'
CHOOSER_TITLE='Quorvendaの設定したいファイルを選択して下さい'
FAILURE_CAPTION='失敗'

# commands_start: openbox, and the ticking clock in a fresh folder.
commands_start() {
  x11_start_display
  x11_start_window_manager
  clock_folder "$BLACK_OPAQUE" "$MEETING"
  X11_FAKETIME='' clock_start
}

# answer_box CAPTION KEY: the box titled CAPTION comes up and gets KEY.
answer_box() {
  local box
  x11_wait_for 10 _x11_search "$1" || x11_fail "no box titled '$1'"
  box=$X11_WINDOW
  xdotool windowactivate --sync "$box" key --clearmodifiers "$2" 2>/dev/null
  x11_wait_for 10 x11_window_gone "$1" || x11_fail "'$1' stayed open after $2"
  x11_log "ok: '$1' answered with $2"
}

_active_window_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# press_close_key WINDOW KEY: KEY once WINDOW is the active window, which is
# the one the window manager closes.
press_close_key() {
  xdotool windowactivate "$1" 2>/dev/null
  x11_wait_for 10 _active_window_is "$1" || x11_fail "the clock never became the active window"
  xdotool key --clearmodifiers "$2"
}

# move_aside WINDOW: off the clock (150..450 across), so screenshots of the clock show the clock.
move_aside() { xdotool windowsize "$1" 420 300 windowmove "$1" 580 420 2>/dev/null; }

# clock_ticks: the clock still runs and repaints.
clock_ticks() {
  x11_program_running || x11_fail "the clock ended"
  x11_screenshot "$X11_WORK/before.png" "$CLOCK"
  clock_wait_repaint "$CLOCK" "$X11_WORK/before.png" || x11_fail "the clock stopped repainting"
}

# how to ask for closing (the title bar's close button, the window manager's request, the keys), the key
# that answers, what follows
close_rows=(
  "button Return exits"
  "button Escape runs"
  "request Return exits"
  "request Escape runs"
  "alt+F4 Return exits"
  "alt+F4 Escape runs"
)

test_close_question() {
  local row how key after x y w
  for row in "${close_rows[@]}"; do
    read -r how key after <<<"$row"
    (
      x11_begin close
      commands_start
      CLOCK=$X11_WINDOW
      if [ "$how" = request ]; then
        x11_probe close "$CLOCK"
      elif [ "$how" = button ]; then
        # openbox's close button: the last one of its title bar, 10 px from the frame's right edge.
        read -r x y w _ <<<"$(x11_outer_rect "$CLOCK")"
        xdotool mousemove $((x + w - 10)) $((y + 9)) click 1
      else
        press_close_key "$CLOCK" "$how"
        # On a loaded machine openbox now and then lets the first press go by
        # (a new window manager for each row); the clock cannot tell a second
        # press from a first, so one more is no kinder to it.
        if ! x11_wait_for 5 _x11_search "$CLOSE_CAPTION"; then
          x11_log "no close question 5 s after $how: pressed again"
          press_close_key "$CLOCK" "$how"
        fi
      fi
      if [ "$after" = runs ]; then
        x11_wait_for 10 _x11_search "$CLOSE_CAPTION" || x11_fail "no close question after $how"
        move_aside "$X11_WINDOW"
        clock_ticks  # while the box is open
        answer_box "$CLOSE_CAPTION" "$key"
        clock_ticks
      else
        answer_box "$CLOSE_CAPTION" "$key"
        x11_wait_exit 10 || x11_fail "the clock still runs after $how and $key"
        [ "$X11_EXIT_CODE" -eq 0 ] || x11_fail "exit code $X11_EXIT_CODE after $how and $key"
      fi
      x11_log "ok: $how, $key: the clock $after"
    ) || exit 1
  done
}

# A desktop whose only application opens spreadsheets by writing the file's path to opened.txt.
use_test_desktop() {
  local data="$X11_WORK/data"
  mkdir -p "$data/home/applications" "$data/system" "$data/config"
  # The system's MIME database, settings schemas and icons, but none of its applications.
  local shared
  for shared in mime glib-2.0 icons themes; do ln -s "/usr/share/$shared" "$data/system/$shared"; done
  # A script of its own: the Exec line would take printf's "%s" for a field code.
  # shellcheck disable=SC2016 # the script's own $1
  printf '#!/bin/sh\necho "$1" >>"%s/opened.txt"\n' "$X11_WORK" >"$data/opener"
  chmod +x "$data/opener"
  printf '[Desktop Entry]\nType=Application\nName=Test opener\nExec=%s %%f\nMimeType=application/vnd.ms-excel;\n' \
    "$data/opener" >"$data/home/applications/quorvenda-test-open.desktop"
  printf '[Default Applications]\napplication/vnd.ms-excel=quorvenda-test-open.desktop\n' >"$data/config/mimeapps.list"
  export XDG_DATA_HOME="$data/home" XDG_DATA_DIRS="$data/system" XDG_CONFIG_HOME="$data/config" GSETTINGS_BACKEND=memory
}

# _opened_times PATH N: the test application has opened PATH N times.
_opened_times() { [ "$(grep -cxF "$1" "$X11_WORK/opened.txt" 2>/dev/null)" = "$2" ]; }

# The chooser is closed, or gets one more Return while it has the focus (not the box that may follow it).
_chooser_confirmed() {
  x11_window_gone "$CHOOSER_TITLE" && return 0
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && xdotool key --clearmodifiers Return
  return 1
}

# choose_in_chooser [PATH]: types PATH into the file chooser's location field and confirms; without
# PATH, confirms the file the chooser has chosen as it opens.
choose_in_chooser() {
  local chooser
  x11_wait_for 10 _x11_search "$CHOOSER_TITLE" || x11_fail "no file chooser"
  chooser=$X11_WINDOW
  if [ $# -eq 1 ]; then
    # Typed into the focused window: GTK ignores the synthetic events of "type --window".
    # The first keys may arrive before the location entry has the focus: type the path once more over
    # all of the entry's text.
    xdotool windowactivate --sync "$chooser" key --clearmodifiers ctrl+l type --delay 5 "$1" 2>/dev/null
    xdotool key --clearmodifiers ctrl+a type --delay 5 "$1"
  fi
  # The location entry's completion may take the first Return, and the chooser selects the file it
  # starts on only once its folder is read: press Return until the chooser closes.
  X11_POLL_SECONDS=1 x11_wait_for 10 _chooser_confirmed "$chooser" || true
  if ! x11_wait_for 10 x11_window_gone "$CHOOSER_TITLE"; then
    x11_screenshot "$X11_WORK/chooser.png"
    x11_fail "the file chooser stayed open after choosing ${1:-the file it started on}"
  fi
}

test_launcher() {
  x11_begin launcher
  use_test_desktop
  commands_start
  CLOCK=$X11_WINDOW
  # A workbook's signature, so the type is not read as an empty file's; a note of a type no application opens.
  printf '\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1' >"$X11_WORK/book.xls"
  echo note >"$X11_WORK/notes.qvtest"

  # Cancel: nothing opens.
  xdotool mousemove --window "$CLOCK" 20 300 click 3
  answer_box "$LAUNCHER_CAPTION" Escape
  x11_wait_for 1 _x11_search "$CHOOSER_TITLE" && x11_fail "the file chooser opened after Cancel"

  # OK, a spreadsheet: the default application gets its path.
  xdotool mousemove --window "$CLOCK" 20 300 click 3
  answer_box "$LAUNCHER_CAPTION" Return
  x11_wait_for 10 _x11_search "$CHOOSER_TITLE" || x11_fail "no file chooser"
  move_aside "$X11_WINDOW"
  clock_ticks  # while the chooser is open
  choose_in_chooser "$X11_WORK/book.xls"
  x11_wait_for 10 grep -qx "$X11_WORK/book.xls" "$X11_WORK/opened.txt" 2>/dev/null ||
    x11_fail "the default application did not open book.xls"
  x11_log "ok: book.xls opened by the default application"

  # Again: the chooser starts in book.xls's folder (not the clock's, nor the recent files) with
  # book.xls chosen, so Return alone opens it once more.
  xdotool mousemove --window "$CLOCK" 20 300 click 3
  answer_box "$LAUNCHER_CAPTION" Return
  choose_in_chooser
  x11_wait_for 10 _opened_times "$X11_WORK/book.xls" 2 ||
    x11_fail "the second chooser did not start on book.xls; opened: $(tr '\n' ' ' <"$X11_WORK/opened.txt")"
  x11_log "ok: the chooser started on the file chosen last"

  # A file no application opens: the failure box, and the clock runs on.
  xdotool mousemove --window "$CLOCK" 20 300 click 3
  answer_box "$LAUNCHER_CAPTION" Return
  choose_in_chooser "$X11_WORK/notes.qvtest"
  answer_box "$FAILURE_CAPTION" Return
  clock_ticks
  [ "$(wc -l <"$X11_WORK/opened.txt")" -eq 2 ] || x11_fail "something opened notes.qvtest"
}
