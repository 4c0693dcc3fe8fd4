#!/usr/bin/env bash
# Runs quorvenda-trace on a folder whose event list puts slot 1 on 15 June 2007
# and checks the event marks it prints for 10 June at noon, and its usage errors.
set -euo pipefail
trace=$1
work=$2
rm -rf "$work" && mkdir -p "$work"

# Slot 1: 会議 (Shift-JIS), on the dial, with a countdown line, 15 June 2007.
printf '\x89\xef\x8b\x63\r\n1\r\n1\r\n2007\r\n6\r\n15\r\n' >"$work/quorvendadata1.txt"
"$trace" --at 2007-06-10T12:00:00 --client 292x406 --dir "$work" >"$work/trace.txt"

status=0
expect() {
    if ! grep -qxF -- "$1" "$work/trace.txt"; then
        echo "missing line: $1" >&2
        status=1
    fi
}
expect_in_order() {
    # Every line given, in this order, each one after the one before.
    local from=0 n
    for line in "$@"; do
        n=$(tail -n +"$((from + 1))" "$work/trace.txt" | grep -nxF -m1 -- "$line" | cut -d: -f1 || true)
        if [ -z "$n" ]; then
            echo "missing in order: $line" >&2
            status=1
            return
        fi
        from=$((from + n))
    done
}
expect_in_order 'SelectPen PS_SOLID 3 0x0000FF' 'MoveTo 117 343' 'LineTo 114 351' \
    'SelectPen PS_SOLID 3 0x0000FF' 'MoveTo 146 328' 'LineTo 146 326' \
    'SelectPen PS_DOT 1 0x0000FF' 'Arc 48 133 244 329 146 328 230 279' \
    'SelectPen PS_SOLID 1 0x0000FF' 'Arc 139 335 153 321 0 0 0 0'
expect 'TextOut 0 0 "6月15日 会議まで 5日間"'
expect 'TextOut 244 358 "日曜日"'

# The same folder as the current directory.
(cd "$work" && "$trace" --at 2007-06-10T12:00:00 --client 292x406) | cmp -s - "$work/trace.txt" ||
    { echo "current directory differs from --dir" >&2; status=1; }

# A bad argument: one line on stderr, nothing on stdout, exit code 2.
for bad in "--at 2007-06-10 --client 292x406" "--client 292x406" "--at 2007-06-10T12:00:00 --client 292" ""; do
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
