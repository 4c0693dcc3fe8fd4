#!/usr/bin/env bash
# Builds the Windows installer with makensis (Debian's nsis package):
#
#   packaging/installer/build-installer.sh STAGE VERSION ICON OUT_DIR
#
# STAGE holds quorvenda.exe, readme.txt, quorvendadata1.txt and
# quorvendacolor.ini as the zip ships them; ICON is the program's icon.
# Writes OUT_DIR/quorvenda-VERSION-win-x64-setup.exe and prints its name last.
# The installer's bytes depend only on these files and the script: makensis
# is told to store no file times (SetDateSave off) and its stubs carry none.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

die() { echo "build-installer: $*" >&2; exit 1; }
[ $# -eq 4 ] || die "usage: build-installer.sh STAGE VERSION ICON OUT_DIR"
stage=$(cd "$1" && pwd) version=$2 icon=$(realpath "$3") out_dir=$4
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || die "version '$version' is not four numbers"
for file in quorvenda.exe readme.txt quorvendadata1.txt quorvendacolor.ini; do
  [ -f "$stage/$file" ] || die "$stage/$file is missing"
done
command -v makensis >/dev/null || die "makensis is missing: run scripts/setup.sh"

mkdir -p "$out_dir"
name=quorvenda-$version-win-x64-setup.exe
out=$(realpath "$out_dir")/$name
# -INPUTCHARSET UTF8: the script's Japanese texts are UTF-8. The paths are
# given with backslashes, as the script writes them, and makensis on Linux
# takes them either way.
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DICON="$icon" -DOUTFILE="$out" \
  "$here/quorvenda.nsi" >&2
echo "$name"
