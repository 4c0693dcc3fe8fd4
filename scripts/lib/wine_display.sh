# shellcheck shell=bash
# Running Windows programs under Wine where there is no desktop: a virtual X
# server, a Wine prefix whose window frames Wine draws itself, and finding a
# program's window. Shared by the run script (scripts/run-clock.sh), the
# end-to-end harness (tests/e2e/lib/harness.sh) and the measurement scripts
# (perf/lib.sh). Sourced; each caller decides what a failure means.

# How often wine_wait_for asks again, in seconds.
WINE_POLL_SECONDS=0.1

# wine_wait_for TIMEOUT_S COMMAND...: polls COMMAND until it succeeds (0) or
# the timeout runs out (1).
wine_wait_for() {
  local deadline=$(($(date +%s%N) + ${1%.*} * 1000000000))
  shift
  until "$@"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep "$WINE_POLL_SECONDS"
  done
}

# wine_env LOCALE: the environment of every Wine process. Wine takes its ANSI
# code page from the locale when a process starts (ja_JP.UTF-8 gives 932,
# C.UTF-8 1252); no debug output; no menu entries for the programs it runs.
wine_env() {
  export WINEDEBUG=-all LANG=$1 LC_ALL=$1 WINEDLLOVERRIDES='winemenubuilder.exe=d'
}

# wine_display_start LOG: starts Xvfb on a display number that it picks
# itself among the free ones (-displayfd: no race with a server starting at
# the same time), with its output in LOG. Sets WINE_XVFB_PID at once and
# WINE_DISPLAY (":N") once the server is up; returns 1 if it is not up
# within 10 s. WINE_SCREEN sets the screen's size (default 1024x768x24).
# -noreset keeps the server as it is (its root colour, say) when its last
# client leaves.
wine_display_start() {
  local numberFile
  numberFile=$(mktemp "${TMPDIR:-/tmp}/xvfb-display.XXXXXX") || return 1
  Xvfb -displayfd 3 -screen 0 "${WINE_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$numberFile" >"$1" 2>&1 &
  WINE_XVFB_PID=$!
  wine_wait_for 10 _wine_display_settled "$numberFile"
  WINE_DISPLAY=":$(tr -dc 0-9 <"$numberFile")"
  rm -f "$numberFile"
  [ "$WINE_DISPLAY" != : ]
}

# The server has written its display number, or has ended.
_wine_display_settled() { grep -q '[0-9]' "$1" || ! kill -0 "$WINE_XVFB_PID" 2>/dev/null; }

# wine_display_stop PID: ends a server that wine_display_start started.
wine_display_stop() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# wine_prefix_create PREFIX: a new Wine prefix (about 15 s and 700 MB) in
# which Wine draws the window frames. Without Mono and Gecko: the clock needs
# neither, and their installers would ask.
wine_prefix_create() {
  mkdir -p "$1"
  WINEPREFIX=$1 WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mscoree,mshtml=" wineboot -i >/dev/null 2>&1 &&
    WINEPREFIX=$1 wine_frames_drawn_by wine &&
    WINEPREFIX=$1 wineserver -w
}

# wine_frames_drawn_by wine|window-manager: who draws the window frames of
# WINEPREFIX's programs. Where no window manager runs (Xvfb), Wine must
# (Managed=N): an X window is then the outer rectangle the program created,
# and message boxes close at once instead of waiting for a manager.
wine_frames_drawn_by() {
  local key='HKCU\Software\Wine\X11 Driver'
  if [ "$1" = wine ]; then
    wine reg add "$key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  else
    wine reg delete "$key" /v Managed /f >/dev/null 2>&1 || true
  fi
}

# wine_prefix_set_dpi PREFIX DPI: the system DPI of PREFIX's programs (the
# display scale: 120 is 125 %, 144 is 150 %), read when each one starts.
wine_prefix_set_dpi() {
  WINEPREFIX=$1 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1 &&
    WINEPREFIX=$1 wineserver -w
}

# wine_prefix_stop PREFIX: ends every Wine process of PREFIX and waits until they are gone.
wine_prefix_stop() {
  WINEPREFIX=$1 wineserver -k 2>/dev/null || true
  WINEPREFIX=$1 wineserver -w 2>/dev/null || true
}

# wine_program_window EXE_NAME: the first visible X window of the Windows
# program EXE_NAME (quorvenda.exe), by its X class, which Wine takes from the
# program's file name: found whatever its title says.
wine_program_window() {
  xdotool search --onlyvisible --classname "^${1//./\\.}\$" 2>/dev/null | head -n 1
}
wine_program_window_shown() { [ -n "$(wine_program_window "$1")" ]; }

# wine_window_geometry WINDOW: "x y width height" of an X window on the
# screen; with Wine drawing the frames, the outer rectangle, frame included.
wine_window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}
