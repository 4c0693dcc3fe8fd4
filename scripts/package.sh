#!/usr/bin/env bash
# Sets up the machine if need be (scripts/setup.sh), builds the Windows
# program and the Linux program for release and writes the zip that Windows
# users download, the Debian package that Linux users install, and their
# checksums:
#
#   dist/quorvenda-<version>-win-x64.zip   one folder quorvenda-<version>/ with
#       quorvenda.exe, readme.txt (Japanese, Shift-JIS, CR LF) and the two
#       sample data files from examples/
#   dist/quorvenda-<version>-win-x64-setup.exe   the per-user installer in
#       Japanese of the same four files (packaging/installer/, makensis)
#   dist/quorvenda_<version>-<revision>_amd64.deb   the Linux clock, its menu
#       entry and icon, the Japanese guide (packaging/deb/build-deb.sh)
#   dist/SHA256SUMS
#
# The same commit gives the same bytes wherever and whenever it is packaged:
# the program file carries no link time and no build folder (CMakeLists.txt),
# the zip's entries have a fixed order, fixed attributes and one time,
# that of the last commit (or SOURCE_DATE_EPOCH, seconds since 1970, when set),
# and the installer stores no file times.
#
# Build directories: QUORVENDA_PACKAGE_BUILD (default build/package, kept apart
# from build/windows) and build/linux-release (the preset linux-release:
# hardened, no sanitizers); only the programs themselves are built there.
set -euo pipefail
cd "$(dirname "$0")/.."

die() { echo "package: $*" >&2; exit 1; }

[ $# -eq 0 ] || die "usage: bash scripts/package.sh (no arguments)"
build=${QUORVENDA_PACKAGE_BUILD:-build/package}
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
[[ $epoch =~ ^[0-9]+$ ]] || die "no commit time here (not a git clone): set SOURCE_DATE_EPOCH"

bash scripts/setup.sh
echo "== building quorvenda.exe for release in $build"
cmake --preset windows -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target quorvenda
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || die "no project version in $build/CMakeCache.txt"

readme=packaging/readme.txt
grep -qE "^ +${version//./\\.}\$" "$readme" || die "$readme: the history has no entry for $version"

folder=quorvenda-$version
stage=$build/stage/$folder
rm -rf "$build/stage"
mkdir -p "$stage"
cp "$build/src/app/quorvenda.exe" "$stage/"
# The readme is kept as UTF-8 and becomes what Notepad on a Japanese Windows
# shows right. iconv stops on any character that Shift-JIS cannot hold.
sed "s/\r\$//; s/@VERSION@/$version/g; s/\$/\r/" "$readme" | iconv -f UTF-8 -t CP932 >"$stage/readme.txt"
cp examples/quorvendadata1.txt examples/quorvendacolor.ini "$stage/"

zip_name=$folder-win-x64.zip
mkdir -p dist
rm -f dist/quorvenda-*-win-x64.zip dist/quorvenda-*-win-x64-setup.exe dist/quorvenda_*_amd64.deb dist/SHA256SUMS
python3 packaging/write_zip.py "dist/$zip_name" "$epoch" "$folder" \
  "$stage/quorvenda.exe" "$stage/readme.txt" "$stage/quorvendadata1.txt" "$stage/quorvendacolor.ini"
echo "== writing the installer with makensis"
setup_name=$(bash packaging/installer/build-installer.sh "$stage" "$version" "$build/src/app/icons/sun_moon.ico" \
  dist | tail -n 1)

linux_build=build/linux-release
echo "== building quorvenda for Linux for release in $linux_build"
cmake --preset linux-release >/dev/null
cmake --build "$linux_build" -j"$(nproc 2>/dev/null || echo 2)" --target quorvenda
deb_name=$(bash packaging/deb/build-deb.sh "$linux_build/src/app/gtk/quorvenda" "$version" "$epoch" \
  "$linux_build/deb" dist | tail -n 1)
(cd dist && sha256sum "$zip_name" "$setup_name" "$deb_name" >SHA256SUMS)

for name in "$zip_name" "$setup_name" "$deb_name"; do
  echo "== dist/$name: $(stat -c %s "dist/$name") bytes, sha256 $(grep -F " $name" dist/SHA256SUMS | cut -d' ' -f1)"
done
