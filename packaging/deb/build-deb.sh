#!/usr/bin/env bash
# Writes the Debian package of the Linux clock from a built program:
#
#   bash packaging/deb/build-deb.sh PROGRAM VERSION EPOCH WORK DIST
#
# PROGRAM: the quorvenda executable (built for release, not yet stripped);
# VERSION: the project's version (CMakeLists.txt); EPOCH: the time every file
# of the package carries (SOURCE_DATE_EPOCH); WORK: a scratch folder, emptied
# first; DIST: where dist/quorvenda_<Debian version>_amd64.deb is written.
# Prints the package's file name (no folder) as its last line.
#
# The Debian version is the project's version and a Debian revision,
# <version>-<revision>: the revision counts packagings of one version (1,
# then 2 for a change to the packaging alone) and is taken from the top entry
# of packaging/deb/changelog, which must be for this version.
#
# The same inputs give the same bytes: every file has a fixed mode, owner
# root and the time EPOCH; dpkg-deb sorts the entries and, on one thread,
# compresses the same way on any machine; the compressed files carry no time
# or name (gzip -n). Run from the root of the source tree.
set -euo pipefail
umask 022
export LC_ALL=C.UTF-8 SOURCE_DATE_EPOCH

die() { echo "build-deb: $*" >&2; exit 1; }

[ $# -eq 5 ] || die "usage: bash packaging/deb/build-deb.sh PROGRAM VERSION EPOCH WORK DIST"
program=$1 version=$2 SOURCE_DATE_EPOCH=$3 work=$4 dist=$5
here=packaging/deb
[ -f "$here/control" ] || die "run from the root of the source tree"
[ -x "$program" ] || die "no program at $program"

deb_version=$(dpkg-parsechangelog -l "$here/changelog" -S Version)
[[ $deb_version =~ ^${version//./\\.}-[0-9]+$ ]] ||
  die "$here/changelog: the top entry is for $deb_version, not for $version-<revision>"
grep -qE "^ +${version//./\\.}\$" "$here/readme.txt" || die "$here/readme.txt: the history has no entry for $version"

# The layout dpkg-shlibdeps and dpkg-gencontrol expect: the package's tree in
# debian/<package>, beside the control file and the changelog.
rm -rf "$work"
stage=$work/debian/quorvenda
mkdir -p "$stage/DEBIAN"
usr=$stage/usr
doc=$usr/share/doc/quorvenda

# Stripped as dh_strip strips a program: no symbols, no compiler notes.
install -d "$usr/bin"
strip --remove-section=.comment --remove-section=.note -o "$usr/bin/quorvenda" "$program"
chmod 0755 "$usr/bin/quorvenda"
install -D -m 0755 "$here/quorvenda-launch.sh" "$usr/libexec/quorvenda/quorvenda-launch"
install -D -m 0644 "$here/quorvenda.desktop" "$usr/share/applications/quorvenda.desktop"
# What software centres list: AppStream metadata named by its component id.
day=$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y-%m-%d)
metainfo_id=$(sed -n 's|^ *<id>\(.*\)</id>$|\1|p' "$here/quorvenda.metainfo.xml")
[ -n "$metainfo_id" ] || die "$here/quorvenda.metainfo.xml: no component id"
sed "s/@VERSION@/$version/g; s/@DATE@/$day/g" "$here/quorvenda.metainfo.xml" >"$work/metainfo.xml"
install -D -m 0644 "$work/metainfo.xml" "$usr/share/metainfo/$metainfo_id.metainfo.xml"

# The same artwork as the Windows program's icon, in the theme's sizes.
python3 src/app/resources/make_icons.py --png "$work/icons"
for icon in "$work"/icons/*/quorvenda.png; do
  size=$(basename "$(dirname "$icon")")
  install -D -m 0644 "$icon" "$usr/share/icons/hicolor/$size/apps/quorvenda.png"
done

# The sample files, as a Linux editor opens them: UTF-8 with LF line ends
# (examples/ holds them as Windows users get them, Shift-JIS with CR LF).
# /usr/share/quorvenda has the launcher's copies, which it needs whether or
# not the documentation is installed; the documentation has its own.
for sample in quorvendadata1.txt quorvendacolor.ini; do
  iconv -f CP932 -t UTF-8 "examples/$sample" | sed 's/\r$//' >"$work/$sample"
  install -D -m 0644 "$work/$sample" "$usr/share/quorvenda/$sample"
  install -D -m 0644 "$work/$sample" "$doc/examples/$sample"
done

sed "s/@VERSION@/$version/g; s/@DEBVERSION@/$deb_version/g" "$here/readme.txt" >"$work/readme.txt"
install -D -m 0644 "$work/readme.txt" "$doc/readme.txt"
install -m 0644 "$here/copyright" "$doc/copyright"
install -D -m 0644 "$here/lintian-overrides" "$usr/share/lintian/overrides/quorvenda"
gzip -9n <"$here/changelog" >"$doc/changelog.Debian.gz"
install -d "$usr/share/man/man1"
sed "s/@VERSION@/$version/g; s/@DATE@/$day/g" "$here/quorvenda.1" | gzip -9n >"$usr/share/man/man1/quorvenda.1.gz"
chmod 0644 "$doc/changelog.Debian.gz" "$usr/share/man/man1/quorvenda.1.gz"

# The control file: the libraries the program needs as dpkg-shlibdeps finds
# them (from the shared libraries' own dependency information), and the
# installed size, as dpkg-gencontrol computes it from the staged tree.
cp "$here/control" "$here/changelog" "$work/debian/"
(
  cd "$work"
  dpkg-shlibdeps -Tdebian/substvars debian/quorvenda/usr/bin/quorvenda
  dpkg-gencontrol -pquorvenda -Tdebian/substvars -Pdebian/quorvenda -fdebian/files
)
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"

find "$stage" -type d -exec chmod 0755 {} +
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

name=quorvenda_${deb_version}_amd64.deb
mkdir -p "$dist"
dpkg-deb --root-owner-group -Zxz -z9 --threads-max=1 --build "$stage" "$dist/$name" >/dev/null
echo "$name"
