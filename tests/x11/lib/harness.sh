# shellcheck shell=bash
# Driving a native X11 program from outside, as a user would, on a virtual X
# server of its own. Sourced by the cases (tests/x11/cases/) and by anything
# else that starts a desktop program where there is no desktop (the Debian
# package's check starts the installed clock with it). Every wait polls with
# a timeout; nothing sleeps a fixed time.
#
#   x11_wait_for TIMEOUT_S COMMAND...      poll COMMAND until it succeeds (0) or time runs out (1)
#   x11_start_display                      Xvfb on a free display (-displayfd), X11_SCREEN (1024x768x24) big;
#                                          exports DISPLAY
#   x11_start_window_manager               openbox: frames, close buttons, _NET_FRAME_EXTENTS
#   x11_start_compositor                   xcompmgr: the RGBA path and _NET_WM_WINDOW_OPACITY
#   x11_start_desktop KIND                 a desktop people use: openbox, openbox-picom, xfwm4, xfwm4-compositor,
#                                          mutter (which always composites); its programs get a session bus and a
#                                          home of their own in X11_WORK/desktop
#   x11_replace_window_manager             openbox --replace takes over from the window manager that runs
#   x11_start_picom                        picom (xrender, no settings file); waits until it draws the screen
#   x11_stop_compositor                    ends the compositor started last; waits until the server draws alone
#   x11_start_backdrop RRGGBB              the desktop's background in one colour, beneath every window
#   x11_set_dpi DPI                        Xft.dpi for programs started after it
#   x11_start_xsettings DPI                an XSETTINGS manager (Xft/DPI), as a desktop session runs one
#   x11_xsettings_dpi DPI                  the desktop's DPI changes to DPI while programs run
#   x11_start_program FOLDER PROGRAM [ARG...]   PROGRAM in FOLDER, its output in X11_WORK/program.log,
#                                          sets X11_PROGRAM_PID; X11_FAKETIME="2007-06-10 12:00:00"
#                                          freezes the clock there ("@..." starts it there and runs;
#                                          with FAKETIME_DONT_FAKE_MONOTONIC=0 " x600" speeds up every clock)
#   x11_find_window TITLE [TIMEOUT_S]      the visible window whose title starts with TITLE: X11_WINDOW
#   x11_window_gone TITLE                  no visible window has exactly this title
#   x11_client_rect WINDOW                 "x y w h" of the window's client area on the screen
#   x11_outer_rect WINDOW                  "x y w h" with the window manager's frame
#   x11_screenshot FILE [WINDOW]           PNG of the screen, or of the window's client area
#   x11_count_colour FILE RRGGBB           how many pixels of FILE have that colour
#   x11_pixel FILE X Y                     "rrggbb" of one pixel
#   x11_program_running                    the program started last still runs
#   x11_wait_exit TIMEOUT_S                waits for it to end; its exit code in X11_EXIT_CODE
#   x11_probe ARG...                       tests/x11/lib/xprobe.py: shapes, properties, close requests
#   x11_log / x11_fail MESSAGE             a line in the log / the test fails with MESSAGE
#
# X11_WORK is the test's own folder (made by x11_begin); x11_begin also sets
# the EXIT trap that stops everything started here, also when a test fails.

X11_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The system's Python, which has python3-xlib (a pyenv or venv shim on PATH may not).
X11_PYTHON=${X11_PYTHON:-/usr/bin/python3}
X11_POLL_SECONDS=0.05
X11_PIDS=()
X11_WORK=
X11_PROGRAM_PID=
X11_EXIT_CODE=
X11_WINDOW=

x11_log() { echo "  $*"; }
x11_fail() {
  echo "  FAIL: $*" >&2
  exit 1
}

x11_wait_for() {
  local deadline=$(($(date +%s%N) + ${1%.*} * 1000000000))
  shift
  until "$@"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep "$X11_POLL_SECONDS"
  done
}

# x11_begin NAME: a fresh folder for one test and the trap that cleans up after it.
x11_begin() {
  X11_WORK=$(mktemp -d "${TMPDIR:-/tmp}/x11-$1.XXXXXX")
  trap _x11_end EXIT
}

_x11_end() {
  local status=$? pid
  for ((i = ${#X11_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${X11_PIDS[i]}
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ "$status" -ne 0 ] || [ -n "${X11_KEEP:-}" ]; then
    echo "  kept: $X11_WORK" >&2
    [ -s "$X11_WORK/program.log" ] && sed 's/^/  program: /' "$X11_WORK/program.log" | tail -20 >&2
  else
    rm -rf "$X11_WORK"
  fi
  exit "$status"
}

x11_start_display() {
  local numberFile="$X11_WORK/display-number"
  : >"$numberFile"
  Xvfb -displayfd 3 -screen 0 "${X11_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$numberFile" \
    >"$X11_WORK/xvfb.log" 2>&1 &
  X11_PIDS+=($!)
  x11_wait_for 10 grep -q '[0-9]' "$numberFile" || x11_fail "Xvfb did not start"
  DISPLAY=":$(tr -dc 0-9 <"$numberFile")"
  export DISPLAY
  # Programs started by the test read no settings of the machine's own session.
  unset XDG_CURRENT_DESKTOP DESKTOP_SESSION DBUS_SESSION_BUS_ADDRESS
  xrdb -nocpp -load /dev/null
}

x11_start_window_manager() {
  openbox --sm-disable >"$X11_WORK/openbox.log" 2>&1 &
  X11_PIDS+=($!)
  x11_wait_for 10 x11_probe has-wm || x11_fail "openbox did not start"
}

x11_start_compositor() {
  xcompmgr >"$X11_WORK/xcompmgr.log" 2>&1 &
  X11_COMPOSITOR_PID=$!
  X11_PIDS+=("$X11_COMPOSITOR_PID")
  x11_wait_for 10 x11_probe has-compositor || x11_fail "xcompmgr did not start"
}

X11_DESKTOP_ENV=()
X11_COMPOSITOR_PID=
X11_BACKDROP=

# The desktop's programs read no settings of the machine's user and leave
# nothing in its home; xfconf and mutter need a session bus, the test's own.
_x11_desktop_session() {
  [ ${#X11_DESKTOP_ENV[@]} -eq 0 ] || return 0
  local home="$X11_WORK/desktop" address pid
  mkdir -p "$home"
  X11_DESKTOP_ENV=(HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache"
    XDG_DATA_HOME="$home/.local/share" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1)
  # A bus that starts no services: one it started (xfconfd) would outlive the test and write into its
  # folder while that is removed; xfwm4 then keeps its default settings.
  mkdir -p "$home/no-services"
  cat >"$home/bus.conf" <<EOF
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=$home</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$home/no-services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/>
  </policy>
</busconfig>
EOF
  { read -r address && read -r pid; } < <(dbus-daemon --config-file="$home/bus.conf" --fork \
    --print-address=1 --print-pid=1 2>>"$X11_WORK/dbus.log") || x11_fail "no session bus"
  X11_PIDS+=("$pid")
  X11_DESKTOP_ENV+=(DBUS_SESSION_BUS_ADDRESS="$address")
}

# _x11_desktop_run NAME COMMAND...: one of the desktop's programs, its output in X11_WORK/NAME.log; its pid in
# X11_DESKTOP_PID.
_x11_desktop_run() {
  local name=$1
  shift
  env "${X11_DESKTOP_ENV[@]}" "$@" >>"$X11_WORK/$name.log" 2>&1 &
  X11_DESKTOP_PID=$!
  X11_PIDS+=("$X11_DESKTOP_PID")
}

x11_start_desktop() {
  _x11_desktop_session
  case $1 in
    openbox | openbox-picom) _x11_desktop_run openbox openbox --sm-disable ;;
    xfwm4) _x11_desktop_run xfwm4 xfwm4 --compositor=off ;;
    xfwm4-compositor) _x11_desktop_run xfwm4 xfwm4 --compositor=on ;;
    mutter) _x11_desktop_run mutter mutter --x11 --replace --sm-disable ;;
    *) x11_fail "no desktop '$1'" ;;
  esac
  x11_wait_for 20 x11_probe has-wm || x11_fail "$1: no window manager"
  [ "$1" != openbox-picom ] || x11_start_picom
  case $1 in
    *-picom | *-compositor | mutter) x11_wait_for 20 x11_probe has-compositor || x11_fail "$1: no compositor" ;;
  esac
}

x11_replace_window_manager() {
  _x11_desktop_run openbox openbox --replace --sm-disable
  x11_wait_for 20 x11_probe has-wm Openbox || x11_fail "openbox did not take over"
}

# The screen's pixel at (X, Y), and at its right corners: the backdrop's marker sits in the bottom one.
_x11_screen_pixel() { import -window root -crop "1x1+$1+$2" +repage -depth 8 rgb:- | od -An -tx1 | tr -d ' \n'; }
_x11_corner_pixel() {
  local width height
  IFS=x read -r width height _ <<<"${X11_SCREEN:-1024x768x24}"
  [ "$1" = top-right ] && height=1
  _x11_screen_pixel $((width - 1)) $((height - 1))
}

# Where a backdrop runs, its marker tells whether a compositor draws the screen: a program may be told of a
# compositor some frames before the screen shows its work, and of its end before the server draws alone.
_x11_marker_blended() {
  [ -n "$X11_BACKDROP" ] || return 0
  local pixel
  pixel=$(_x11_corner_pixel bottom-right)
  [ "$pixel" != ffffff ] && [ "$pixel" != "$X11_BACKDROP" ]
}
_x11_marker_opaque() { [ -z "$X11_BACKDROP" ] || [ "$(_x11_corner_pixel bottom-right)" = ffffff ]; }
_x11_backdrop_shows() { [ "$(_x11_corner_pixel top-right)" = "$X11_BACKDROP" ]; }
_x11_no_compositor() { ! x11_probe has-compositor; }

x11_start_picom() {
  _x11_desktop_session
  _x11_desktop_run picom picom --backend xrender --config /dev/null
  X11_COMPOSITOR_PID=$X11_DESKTOP_PID
  x11_wait_for 10 x11_probe has-compositor || x11_fail "picom did not start"
  x11_wait_for 10 _x11_marker_blended || x11_fail "picom does not draw the screen"
}

x11_stop_compositor() {
  [ -n "$X11_COMPOSITOR_PID" ] || x11_fail "no compositor to stop"
  kill "$X11_COMPOSITOR_PID"
  wait "$X11_COMPOSITOR_PID" 2>/dev/null || true
  _x11_forget "$X11_COMPOSITOR_PID"
  X11_COMPOSITOR_PID=
  x11_wait_for 10 _x11_no_compositor || x11_fail "the compositor did not end"
  x11_wait_for 10 _x11_marker_opaque || x11_fail "the server does not draw the screen alone"
}

# _x11_forget PID: an ended process is not stopped again at the end (its number may be another's by then).
_x11_forget() {
  local i
  for i in "${!X11_PIDS[@]}"; do
    [ "${X11_PIDS[i]}" != "$1" ] || unset 'X11_PIDS[i]'
  done
  X11_PIDS=("${X11_PIDS[@]}")
}

x11_start_backdrop() {
  x11_probe backdrop "$1" >>"$X11_WORK/backdrop.log" 2>&1 &
  X11_PIDS+=($!)
  X11_BACKDROP=$1
  if ! x11_wait_for 10 _x11_backdrop_shows; then
    import -window root "$X11_WORK/screen.png"
    x11_fail "the backdrop does not show: the screen's top right pixel is $(_x11_corner_pixel top-right)"
  fi
  if x11_probe has-compositor; then
    x11_wait_for 10 _x11_marker_blended || x11_fail "the compositor does not draw the backdrop"
  fi
}

x11_set_dpi() { echo "Xft.dpi: $1" | xrdb -nocpp -merge; }

x11_start_xsettings() {
  x11_probe xsettings "$1" &
  X11_PIDS+=($!)
  x11_wait_for 10 x11_probe xsettings-dpi "$1" || x11_fail "the XSETTINGS manager did not start"
}

x11_xsettings_dpi() { x11_probe xsettings-dpi "$1" || x11_fail "no XSETTINGS manager"; }

x11_start_program() {
  local folder=$1
  shift
  local -a env=(GDK_BACKEND=x11 NO_AT_BRIDGE=1 LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    # GTK, GLib and fontconfig keep caches for the life of the process: the
    # sanitized build's leak check would report them at every exit. libfaketime
    # is preloaded ahead of the sanitizer's runtime, which then must not object.
    ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:verify_asan_link_order=0}")
  if [ -n "${X11_FAKETIME:-}" ]; then
    env+=(TZ=JST-9 "FAKETIME_DONT_FAKE_MONOTONIC=${FAKETIME_DONT_FAKE_MONOTONIC:-1}" NO_FAKE_STAT=1 "FAKETIME=$X11_FAKETIME"
      LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1)
  fi
  (cd "$folder" && exec env "${env[@]}" "$@") >>"$X11_WORK/program.log" 2>&1 &
  X11_PROGRAM_PID=$!
  X11_PIDS+=("$X11_PROGRAM_PID")
}

x11_program_running() { kill -0 "$X11_PROGRAM_PID" 2>/dev/null; }
_x11_program_ended() { ! x11_program_running; }

x11_wait_exit() {
  x11_wait_for "$1" _x11_program_ended || return 1
  X11_EXIT_CODE=0
  # shellcheck disable=SC2034 # read by the callers
  wait "$X11_PROGRAM_PID" || X11_EXIT_CODE=$?
}

_x11_search() { X11_WINDOW=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -1) && [ -n "$X11_WINDOW" ]; }

# x11_window_gone TITLE: no visible window is titled exactly TITLE.
x11_window_gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

x11_find_window() {
  x11_wait_for "${2:-15}" _x11_search "$1" || x11_fail "no window titled '$1...'"
}

x11_client_rect() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }'
}

x11_outer_rect() { x11_probe outer "$1"; }

x11_screenshot() {
  if [ -n "${2:-}" ]; then
    local x y w h
    read -r x y w h <<<"$(x11_client_rect "$2")"
    import -window root -crop "${w}x$h+$x+$y" +repage "$1"
  else
    import -window root "$1"
  fi
}

x11_count_colour() {
  convert "$1" -depth 8 rgb:- | od -An -v -tx1 -w3 | tr -d ' ' | grep -c "^$2\$" || true
}

x11_pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6 | tr 'A-F' 'a-f'; }

x11_probe() { "$X11_PYTHON" "$X11_LIB_DIR/xprobe.py" "$@"; }
