#!/usr/bin/env bash
# The Debian package as a Linux user gets it: lintian, desktop-file-validate
# and appstreamcli accept it; dpkg installs it into this system, exactly its
# own files, and AppStream (the software centres' metadata) lists the clock
# in English and Japanese; its launcher makes the user's folder without ever
# overwriting a file of the user's; the menu entry's command line, under a
# fresh home on a virtual X server, opens the clock on the sample events in
# ~/.config/quorvenda; dpkg --purge leaves no file behind; apt brings Noto
# CJK only where no other Japanese gothic font is installed
# (tests/deb/font_alternative.sh); and on a fresh
# Debian 13, apt with its defaults installs it, Japanese font and all, and
# purges it (tests/deb/fresh_debian.sh).
#
#   bash tests/deb/run.sh [PACKAGE]   default: the .deb that scripts/package.sh left in dist/
#
# Installs into the system, so it needs root (or sudo); CI runs it as root on
# a fresh machine. A quorvenda package already installed is purged first, and
# the one installed here is purged at the end, also when a check fails.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=tests/x11/lib/clock.sh
source tests/x11/lib/clock.sh

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
fail() { echo "deb: FAIL: $*" >&2; exit 1; }
ok() { echo "  ok: $*"; }

if [ $# -eq 1 ]; then
  deb=$1
else
  debs=(dist/quorvenda_*_amd64.deb)
  deb=${debs[0]}
  if [ ${#debs[@]} -ne 1 ] || [ ! -f "$deb" ]; then fail "no single dist/quorvenda_*_amd64.deb: run scripts/package.sh first"; fi
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvenda-deb.XXXXXX")
installed=0
finish() {
  local status=$?
  if [ "$installed" -eq 1 ]; then sudo_ dpkg --purge quorvenda >/dev/null || true; fi
  if [ "$status" -eq 0 ]; then rm -rf "$work"; else echo "deb: kept $work" >&2; fi
  exit "$status"
}
trap finish EXIT

echo "== $deb: lintian, desktop-file-validate, appstreamcli validate"
# Errors and warnings fail; what is overridden says why in packaging/deb/lintian-overrides.
lintian --fail-on error,warning --display-info "$deb" || fail "lintian"
dpkg-deb -x "$deb" "$work/contents"
desktop-file-validate "$work/contents/usr/share/applications/quorvenda.desktop" || fail "desktop-file-validate"
metainfo=("$work"/contents/usr/share/metainfo/*.metainfo.xml)
if [ ${#metainfo[@]} -ne 1 ] || [ ! -f "${metainfo[0]}" ]; then fail "not one AppStream metainfo file in /usr/share/metainfo"; fi
component=$(basename "${metainfo[0]}" .metainfo.xml)
# Offline: the screenshot's address is not fetched. Infos are printed, errors and warnings fail.
validated=0
appstreamcli validate --no-net --pedantic "${metainfo[0]}" >"$work/appstream.log" 2>&1 || validated=$?
sed 's/^/  /' "$work/appstream.log"
if [ "$validated" -ne 0 ] || grep -q '^[EW]:' "$work/appstream.log"; then fail "appstreamcli validate"; fi
ok "lintian, desktop-file-validate and appstreamcli validate"

echo "== the Japanese font apt brings with it: Noto CJK, or none where another Japanese gothic font is installed"
bash tests/deb/font_alternative.sh "$deb" || fail "the Japanese font's alternative"

# Every path outside dpkg's own records and the system's logs and caches.
system_paths() {
  find /usr /etc /opt /srv /var -path /var/lib/dpkg -prune -o -path /var/log -prune -o \
    -path /var/cache -prune -o -path /var/tmp -prune -o -print 2>/dev/null | LC_ALL=C sort
}

echo "== installing with dpkg"
if dpkg-query -W -f='${db:Status-Abbrev}' quorvenda 2>/dev/null | grep -q '^[ih]'; then
  echo "  quorvenda is installed already: purging it first"
  sudo_ dpkg --purge quorvenda >/dev/null
fi
system_paths >"$work/before"
installed=1
sudo_ dpkg -i "$deb" >"$work/dpkg-install.log" 2>&1 || { cat "$work/dpkg-install.log" >&2; fail "dpkg -i"; }
system_paths >"$work/installed"
# What appeared is what the package holds and no more: no trigger left a file of its own.
dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | sed 's|/$||' | grep . | LC_ALL=C sort >"$work/packaged"
LC_ALL=C comm -13 "$work/before" "$work/installed" >"$work/new"
LC_ALL=C comm -13 "$work/before" "$work/packaged" >"$work/new-wanted"
diff "$work/new-wanted" "$work/new" || fail "installing added other paths than the package's (diff above)"
ok "installed: $(wc -l <"$work/new") new paths, all of them the package's"

echo "== what software centres read of it: AppStream's view of the installed software"
# In a cache of the test's own: AppStream 0.16 takes its cache for current unless /usr/share/metainfo
# changed in a later second, so a system cache written in the second of the install would hide the clock.
# language | appstreamcli's arguments | a line its answer must hold
appstream_rows=(
  "C|get $component|Summary: Desktop clock whose month and day hands count down to your events"
  "ja_JP.UTF-8|get $component|要約: 月の針と日の針で、予定までの日数を示すデスクトップ時計"
  "ja_JP.UTF-8|search 時計|識別子: $component [desktop-application]"
  "C|get --details $component|Default Screenshot URL: https://www.quorvenda.example/screenshots/demo-clock-linux.png"
)
for row in "${appstream_rows[@]}"; do
  IFS='|' read -r language query want <<<"$row"
  read -ra query_words <<<"$query"
  answer=$(LANG=$language LC_ALL=$language appstreamcli "${query_words[@]}" --cachepath "$work/appstream-cache" 2>&1)
  grep -qxF -- "$want" <<<"$answer" || fail "LANG=$language appstreamcli $query: no line '$want' in:"$'\n'"$answer"
  ok "appstreamcli $query ($language): $want"
done
# The menu entry's categories reach the listing only through the launchable it names.
answer=$(appstreamcli get --details "$component" --cachepath "$work/appstream-cache")
grep -qx '  - Clock' <<<"$answer" || fail "the launchable is not the installed menu entry"
ok "the launchable is the installed menu entry"

echo "== the launcher: the user's folder, never a file of the user's overwritten"
samples=/usr/share/quorvenda
launcher=/usr/libexec/quorvenda/quorvenda-launch
# The files in FOLDER, each as name:sample (the package's copy), name:own
# (what the row put there) or name:other.
folder_files() {
  local file kind
  for file in "$1"/*; do
    [ -e "$file" ] || continue
    if cmp -s "$file" "$samples/${file##*/}"; then kind=sample
    elif [ "$(cat "$file")" = own ]; then kind=own
    else kind=other; fi
    printf '%s:%s ' "${file##*/}" "$kind"
  done
}
# XDG_CONFIG_HOME (- unset; home/ is the fresh home) | what is there first (a
# file of the user's, or a link of ~/.config/quorvenda to home/synced) | the
# folder the files must be in | the files there afterwards
launcher_rows=(
  "-|-|.config/quorvenda|quorvendacolor.ini:sample quorvendadata1.txt:sample "
  "-|quorvendacolor.ini|.config/quorvenda|quorvendacolor.ini:own "
  "-|quorvendadata1.txt|.config/quorvenda|quorvendadata1.txt:own "
  "home/settings|-|settings/quorvenda|quorvendacolor.ini:sample quorvendadata1.txt:sample "
  "settings|-|.config/quorvenda|quorvendacolor.ini:sample quorvendadata1.txt:sample "
  "-|link|synced|quorvendacolor.ini:sample quorvendadata1.txt:sample "
)
for row in "${launcher_rows[@]}"; do
  IFS='|' read -r xdg first folder want <<<"$row"
  home=$work/launch-home
  rm -rf "$home"
  mkdir -p "$home/.config/quorvenda"
  case $first in
    -) rmdir "$home/.config/quorvenda" ;;
    link) rmdir "$home/.config/quorvenda" && mkdir "$home/synced" && ln -s ../synced "$home/.config/quorvenda" ;;
    *) echo own >"$home/.config/quorvenda/$first" ;;
  esac
  env_xdg=(-u XDG_CONFIG_HOME)
  [ "$xdg" = - ] || env_xdg=("XDG_CONFIG_HOME=${xdg/#home/$home}")
  # Without a display the clock ends at once; what counts is the folder it leaves.
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY "${env_xdg[@]}" HOME="$home" "$launcher") >/dev/null 2>&1 || true
  got=$(folder_files "$home/$folder")
  [ "$got" = "$want" ] || fail "XDG_CONFIG_HOME=$xdg, first $first: $folder holds '$got', want '$want'"
  [ "$first" != link ] || [ -L "$home/.config/quorvenda" ] || fail "the linked folder is no longer a link"
  ok "XDG_CONFIG_HOME=$xdg, first $first: $folder holds $want"
done

echo "== the menu entry's command line starts the clock on the sample events"
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/quorvenda.desktop)
read -ra command <<<"${exec_line//%[fFuUik]/}"
# The sample events seen on 20 December 2026: slots 1 to 4 with countdown lines
# and ticks, slot 5 a tick only, slot 6 a line only; slot 7 is empty.
# slot colour (rrggbb) | pixels of it on the dial (yes/no)
colour_rows=("ff0000 yes" "ff9600 yes" "00ffff yes" "0000ff yes" "ff00ff no")
shows() { [ "$(x11_count_colour "$X11_WORK/dial.png" "$1")" -gt 0 ]; }
all_drawn() {
  local row colour want
  x11_screenshot "$X11_WORK/dial.png" "$X11_WINDOW" || return 1
  for row in "${colour_rows[@]}"; do
    read -r colour want <<<"$row"
    if [ "$want" = yes ]; then shows "$colour" || return 1; else ! shows "$colour" || return 1; fi
  done
}
(
  x11_begin deb
  x11_start_display 1024x768x24
  home=$X11_WORK/home
  mkdir -p "$home"
  export X11_FAKETIME='2026-12-20 12:00:00'
  # Started in a folder without data files: only the launcher can lead it to the events.
  x11_start_program "$X11_WORK" env -u XDG_CONFIG_HOME -u GDK_BACKEND HOME="$home" "${command[@]}"
  x11_find_window Quorvenda
  title=$(clock_title "$X11_WINDOW")
  [ "$title" = "$CREATION_TITLE" ] || x11_fail "title '$title', want '$CREATION_TITLE'"
  [ "$(readlink "/proc/$X11_PROGRAM_PID/exe")" = /usr/bin/quorvenda ] || x11_fail "the window is not /usr/bin/quorvenda's"
  cwd=$(readlink "/proc/$X11_PROGRAM_PID/cwd")
  [ "$cwd" = "$home/.config/quorvenda" ] || x11_fail "the clock runs in $cwd, want $home/.config/quorvenda"
  # The clock asks GTK for X11 itself: no backend in its environment leaks
  # into the programs it opens.
  ! tr '\0' '\n' <"/proc/$X11_PROGRAM_PID/environ" | grep -q '^GDK_BACKEND=' ||
    x11_fail "the launcher set GDK_BACKEND, which programs opened from the clock inherit"
  x11_log "ok: '$title' from /usr/bin/quorvenda in ~/.config/quorvenda, no GDK_BACKEND"
  x11_wait_for 10 all_drawn || x11_fail "the events' colours are not drawn as ${colour_rows[*]} (see $X11_WORK/dial.png)"
  x11_log "ok: the sample events drawn: ${colour_rows[*]}"
) || fail "the installed clock"

echo "== dpkg --purge"
sudo_ dpkg --purge quorvenda >"$work/dpkg-purge.log" 2>&1 || { cat "$work/dpkg-purge.log" >&2; fail "dpkg --purge"; }
installed=0
system_paths >"$work/after"
diff "$work/before" "$work/after" || fail "paths left or added by installing and purging (diff above)"
! compgen -G '/var/lib/dpkg/info/quorvenda.*' >/dev/null || fail "dpkg still has records of quorvenda"
ok "no file left behind"

sudo_ bash tests/deb/fresh_debian.sh "$deb" trixie || fail "the package on a fresh Debian 13"
echo "== deb: all checks passed"
