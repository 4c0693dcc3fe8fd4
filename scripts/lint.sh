#!/usr/bin/env bash
# Lint, as the test command runs it: shellcheck on every shell script and
# clang-format (the style in .clang-format) on every C and C++ source.
#   bash scripts/lint.sh          check; prints what is wrong and fails
#   bash scripts/lint.sh --fix    rewrites the C and C++ sources in the house style
set -euo pipefail
cd "$(dirname "$0")/.."

# Tracked files and new ones not ignored, so a file is checked before its first commit.
files() { git ls-files --cached --others --exclude-standard -- "$@"; }

mapfile -t scripts < <(files '*.sh' .ci/run)
mapfile -t sources < <(files '*.c' '*.cpp' '*.h' ':!*.inc')

if [ "${1:-}" = --fix ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi

status=0
echo "shellcheck: ${#scripts[@]} scripts"
shellcheck -x "${scripts[@]}" || status=1
echo "clang-format: ${#sources[@]} sources"
clang-format --dry-run --Werror "${sources[@]}" || status=1
[ "$status" -eq 0 ] && echo "lint: clean"
exit "$status"
