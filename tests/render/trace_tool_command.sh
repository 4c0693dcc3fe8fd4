#!/usr/bin/env bash
# quorvenda-trace as a shell runs it: the data folder defaults to the current
# directory, and a bad argument prints one line on stderr, nothing on stdout,
# and exits with 2. (What it traces: trace_tool_test.cpp.)
set -euo pipefail
trace=$1
work=$2
rm -rf "$work" && mkdir -p "$work"

# Slot 1: 会議 (Shift-JIS), on the dial, with a countdown line, 15 June 2007.
printf '\x89\xef\x8b\x63\r\n1\r\n1\r\n2007\r\n6\r\n15\r\n' >"$work/quorvendadata1.txt"
"$trace" --at 2007-06-10T12:00:00 --client 292x406 --dir "$work" >"$work/trace.txt"

status=0
grep -qxF 'TextOut 0 0 "6月15日 会議まで 5日間"' "$work/trace.txt" ||
    { echo "--dir: slot 1's countdown line missing" >&2; status=1; }
(cd "$work" && "$trace" --at 2007-06-10T12:00:00 --client 292x406) | cmp -s - "$work/trace.txt" ||
    { echo "current directory differs from --dir" >&2; status=1; }

for bad in "--at 2007-06-10 --client 292x406" "--at 2007-06-10T12:00:00 --client 292x406 --text-height 0" ""; do
    set +e
    # shellcheck disable=SC2086
    "$trace" $bad >"$work/out.txt" 2>"$work/err.txt"
    code=$?
    set -e
    if [ "$code" -ne 2 ] || [ -s "$work/out.txt" ] || [ "$(wc -l <"$work/err.txt")" -ne 1 ]; then
        echo "bad arguments '$bad': exit $code, $(wc -l <"$work/err.txt") error lines" >&2
        status=1
    fi
done

exit $status
