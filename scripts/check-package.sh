#!/usr/bin/env bash
# Checks that the release package is reproducible: packages this tree
# (scripts/package.sh), then a copy of it in another folder with the compiler
# cache off, so that no cached object can hide a difference, and compares
# both programs (quorvenda.exe and the Linux quorvenda), the zip, the
# installer, the Debian package and SHA256SUMS byte for byte. The second run comes
# later and from another path, so a link time or a build folder written into
# the program would show. On a difference the copy is kept and its path
# printed. Leaves this tree's package in dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

fail() { echo "check-package: $*" >&2; exit 1; }

# Both runs give their zip entries the same time; the copy has no history.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH

started=$(date +%s)
bash scripts/package.sh

copy=$(mktemp -d "${TMPDIR:-/tmp}/quorvenda-package-copy.XXXXXX")
keep_copy=0
remove_copy() { [ "$keep_copy" -eq 1 ] || rm -rf "$copy"; }
trap remove_copy EXIT

# The tree as it stands: tracked files and new ones not ignored, as edited.
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
  tar --null -T - -cf - | tar -xf - -C "$copy"
echo "== packaging again from a copy in $copy, compiler cache off"
CCACHE_DISABLE=1 bash "$copy/scripts/package.sh"

differing=()
for file in build/package/src/app/quorvenda.exe build/linux-release/src/app/gtk/quorvenda \
  dist/SHA256SUMS dist/quorvenda-*-win-x64.zip dist/quorvenda-*-win-x64-setup.exe dist/quorvenda_*_amd64.deb; do
  if cmp -s "$root/$file" "$copy/$file"; then
    echo "== identical: $file ($(stat -c %s "$file") bytes)"
  else
    cmp "$root/$file" "$copy/$file" || true
    differing+=("$file")
  fi
done
if [ ${#differing[@]} -gt 0 ]; then
  keep_copy=1
  fail "two packagings of the same tree differ in: ${differing[*]} (second one kept in $copy)"
fi
echo "== reproducible: both packagings byte for byte the same ($(($(date +%s) - started)) s for both)"
