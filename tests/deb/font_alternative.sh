#!/usr/bin/env bash
# The package's Japanese font as apt resolves it: where no Japanese gothic
# font is installed, `apt install ./PACKAGE` brings Noto CJK; where another one
# is (fonts-ipafont-gothic, which provides fonts-japanese-gothic), it brings
# none. apt only simulates, each time against a copy of dpkg's status in which
# the Japanese gothic fonts are those of the row: nothing is installed.
#
#   bash tests/deb/font_alternative.sh PACKAGE
#
# Needs apt's package lists (scripts/setup.sh updates them), not root.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: bash tests/deb/font_alternative.sh PACKAGE" >&2; exit 2; }
deb=$(realpath "$1")
fail() { echo "font alternative: FAIL: $*" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvenda-fonts.XXXXXX")
trap 'rm -rf "$work"' EXIT

# dpkg's status without Noto CJK and without any package that provides fonts-japanese-gothic.
awk 'BEGIN { RS = ""; ORS = "\n\n" }
  !/^Package: fonts-noto-cjk/ && !/\nProvides:[^\n]*fonts-japanese-gothic([ ,(\n]|$)/' /var/lib/dpkg/status \
  >"$work/status-base"

# the Japanese gothic fonts installed first (- none) | whether apt then installs Noto CJK
font_rows=(
  "-|yes"
  "fonts-ipafont-gothic|no"
)
for row in "${font_rows[@]}"; do
  IFS='|' read -r fonts noto <<<"$row"
  cp "$work/status-base" "$work/status"
  if [ "$fonts" != - ]; then
    for font in $fonts; do
      apt-cache show --no-all-versions "$font" | sed '/^Package:/a Status: install ok installed' >>"$work/status" ||
        fail "apt knows no package $font"
    done
  fi
  plan=$(apt-get install -s -o Dir::State::status="$work/status" "$deb" 2>&1) ||
    fail "fonts $fonts: apt cannot install the package:"$'\n'"$plan"
  grep -q '^Inst quorvenda ' <<<"$plan" || fail "fonts $fonts: apt would not install quorvenda:"$'\n'"$plan"
  got=no
  ! grep -q '^Inst fonts-noto-cjk' <<<"$plan" || got=yes
  [ "$got" = "$noto" ] ||
    fail "fonts $fonts: Noto CJK installed: $got, want $noto ($(dpkg-deb -f "$deb" Depends | grep -o 'fonts-[^,]*')):"$'\n'"$(grep '^Inst ' <<<"$plan")"
  echo "  ok: Japanese gothic fonts first: $fonts; apt installs Noto CJK: $noto"
done
