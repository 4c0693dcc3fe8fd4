#!/usr/bin/env bash
# The package on a fresh Debian, as someone who has set up nothing meets it:
# a minimal root of Debian's own packages (debootstrap --variant=minbase), in
# which `apt install ./PACKAGE` with apt's defaults (Recommends too) brings
# everything the clock needs, a Japanese font included; the menu entry's
# command line, run in the root on this machine's virtual X server, opens the
# clock with its title and its texts drawn as Japanese glyphs, not as boxes;
# and apt purges it.
#
#   bash tests/deb/fresh_debian.sh PACKAGE [SUITE]    SUITE: trixie (Debian 13) unless given
#
# Needs root (debootstrap, chroot, mounts). Fetches from the Debian mirror
# this machine's apt uses (QUORVENDA_DEBIAN_MIRROR overrides it). The root is
# made under /var/tmp and removed at the end, and only once nothing is
# mounted in it any more, also when a check fails.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=tests/x11/lib/clock.sh
source tests/x11/lib/clock.sh

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: bash tests/deb/fresh_debian.sh PACKAGE [SUITE]" >&2
  exit 2
fi
deb=$(realpath "$1")
suite=${2:-trixie}
fail() { echo "fresh $suite: FAIL: $*" >&2; exit 1; }
ok() { echo "  ok: $*"; }

# The first Debian archive (not its security archive) in this machine's apt sources, one-line or deb822.
machine_mirror() {
  {
    grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list | sed 's/\[[^]]*\]//' | awk '{ print $2 }'
    grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | cut -d: -f2- | tr ' ' '\n'
  } | grep -E '^https?://.*/debian/?$' | head -1 || true
}
mirror=${QUORVENDA_DEBIAN_MIRROR:-$(machine_mirror)}
mirror=${mirror:-http://deb.debian.org/debian}

checks_started=$SECONDS
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvenda-fresh-$suite.XXXXXX")
root=$(mktemp -d "/var/tmp/quorvenda-$suite-root.XXXXXX")

# Everything mounted below the root, deepest first (debootstrap's own /proc and /sys too, if it was stopped).
mounts_in_root() { findmnt -rn -o TARGET | grep "^$root/" | sort -r || true; }
clean_up() {
  local status=$? mount pid
  # Whatever still runs in the root was started here.
  for pid in /proc/[0-9]*; do
    [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "${pid#/proc/}" 2>/dev/null
  done
  while read -r mount; do
    [ -z "$mount" ] || umount "$mount" || umount -l "$mount" || true
  done < <(mounts_in_root)
  if [ -n "$(mounts_in_root)" ]; then
    echo "fresh $suite: still mounted in $root, so it is left there: $(mounts_in_root | tr '\n' ' ')" >&2
    status=1
  else
    rm -rf --one-file-system "$root"
  fi
  if [ "$status" -eq 0 ]; then rm -rf "$work"; else echo "fresh $suite: kept $work" >&2; fi
  echo "  the fresh $suite check took $((SECONDS - checks_started)) s in all"
  exit "$status"
}
trap clean_up EXIT
trap 'exit 1' INT TERM

# A command in the root, with nothing of this machine's environment.
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

echo "== a fresh $suite root: debootstrap --variant=minbase from $mirror"
started=$SECONDS
# In its two stages, so that dpkg skips its syncs from the first package it
# installs on: the root is thrown away, and what is installed is the same.
{
  debootstrap --foreign --variant=minbase "$suite" "$root" "$mirror" &&
    echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/unsafe-io" &&
    chroot "$root" /debootstrap/debootstrap --second-stage
} >"$work/debootstrap.log" 2>&1 || { tail -20 "$work/debootstrap.log" >&2; fail "debootstrap"; }
ok "$(in_root cat /etc/debian_version) in $((SECONDS - started)) s"

echo "== apt install ./${deb##*/} with apt's defaults"
started=$SECONDS
cp "$deb" "$root/tmp/"
# Nothing is started in the root, the usual policy for a chroot.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 0755 "$root/usr/sbin/policy-rc.d"
{ in_root apt-get update -q && in_root apt-get install -y -q "/tmp/${deb##*/}"; } >"$work/install.log" 2>&1 ||
  { tail -20 "$work/install.log" >&2; fail "apt install"; }
ok "$(grep -E '^[0-9]+ upgraded, [0-9]+ newly installed' "$work/install.log") in $((SECONDS - started)) s"
japanese_face=$(in_root fc-match -f '%{family[0]}|%{lang}' :lang=ja)
[[ "|${japanese_face#*|}|" == *'|ja|'* ]] || fail "no face with Japanese glyphs in the root: fc-match gives ${japanese_face%%|*}"
ok "the Japanese face: ${japanese_face%%|*}"

echo "== the menu entry's command line in the root, on this machine's virtual X server"
started=$SECONDS
# Two countdown lines that differ only in the event's name: eight of the
# lightest kanji in slot 1 (red), eight of a dense one in slot 6 (blue). As
# glyphs, the blue line has about twice the red line's ink; drawn as boxes
# (one box a character, whatever the character) both have about the same.
events=$'一一一一一一一一\n0\n1\n2999\n6\n15'
for _ in 2 3 4 5; do events+=$'\n\n\n\n\n\n'; done
events+=$'\n議議議議議議議議\n0\n1\n2999\n6\n15'
home=/root
mkdir -p "$root$home/.config/quorvenda"
clock_write_file "$root$home/.config/quorvenda/quorvendadata1.txt" "$events"
clock_write_file "$root$home/.config/quorvenda/quorvendacolor.ini" "$BLACK_OPAQUE"
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/quorvenda.desktop")
read -ra command <<<"${exec_line//%[fFuUik]/}"
red=0 blue=0
# pixels of the top fifth of FILE (the countdown lines, above the dial) for which the ImageMagick expression holds
count_where() { convert "$1" -crop 100%x20%+0+0 +repage -fx "$2" -format '%[fx:round(mean * w * h)]' info:; }
glyphs_drawn() {
  x11_screenshot "$X11_WORK/clock.png" "$X11_WINDOW" || return 1
  red=$(count_where "$X11_WORK/clock.png" 'r > 0.5 && g < 0.4 && b < 0.4')
  blue=$(count_where "$X11_WORK/clock.png" 'b > 0.5 && r < 0.4 && g < 0.4')
  [ "$red" -ge 100 ] && [ $((blue * 10)) -ge $((red * 14)) ]
}
(
  x11_begin "fresh-$suite"
  x11_start_display
  mkdir -p "$root/tmp/.X11-unix"
  mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
  mount -t proc proc "$root/proc"
  mount --bind /dev "$root/dev"
  x11_start_program "$X11_WORK" chroot "$root" env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
    LANG=C.UTF-8 NO_AT_BRIDGE=1 "${command[@]}"
  x11_find_window Quorvenda 20
  title=$(clock_title "$X11_WINDOW")
  [ "$title" = "$CREATION_TITLE" ] || x11_fail "title '$title', want '$CREATION_TITLE'"
  [ "$(readlink "/proc/$X11_PROGRAM_PID/exe")" = "$root/usr/bin/quorvenda" ] ||
    x11_fail "the window is not the root's /usr/bin/quorvenda's"
  x11_log "ok: '$title'"
  x11_wait_for 10 glyphs_drawn ||
    x11_fail "the countdown lines are not drawn as glyphs: $red reddish pixels, $blue bluish (see $X11_WORK/clock.png)"
  x11_log "ok: the countdown lines drawn as glyphs: $red reddish pixels for 一, $blue bluish for 議"
) || fail "the clock in the root"
ok "started, checked and closed in $((SECONDS - started)) s"

echo "== apt purge"
started=$SECONDS
in_root apt-get purge -y -q quorvenda >"$work/purge.log" 2>&1 || { tail -20 "$work/purge.log" >&2; fail "apt purge"; }
# shellcheck disable=SC2016 # a dpkg-query field, not a shell expansion
status=$(in_root dpkg-query -W -f='${db:Status-Abbrev}' quorvenda 2>/dev/null || true)
# Unknown to dpkg, or known as not installed (the second letter n).
case $status in '' | ?n*) ;; *) fail "dpkg's status of quorvenda after the purge: '$status'" ;; esac
[ ! -e "$root/usr/bin/quorvenda" ] || fail "/usr/bin/quorvenda is left in the root"
ok "purged in $((SECONDS - started)) s"
