#!/usr/bin/env bash
# The long soak, of both programs, each in one process:
#  - the Windows clock's own timer ticking as fast as it goes, each tick a
#    second on, drawing what changed into its kept picture and painting it,
#    under Wine (quorvenda-drive.exe --soak --repaint tick), with the
#    process's live GDI objects
#    and memory read before and after. Fails unless the GDI objects did not
#    grow at all and the private memory (commit charge) grew by less than
#    half of what one leaked heap block per repaint would add, plus one
#    heap-settling step (perf/drive/soak_verdict.h says why);
#  - the native clock on Xvfb with every clock of it sped up, through the
#    X11 suite's soak cases (tests/x11/cases/soak.sh) at the same number of
#    repaints, its shaped window on a plain X server and its RGBA window
#    under a compositor, both at once: resident memory and X resources must
#    stay flat in both.
#
#   scripts/soak.sh [REPAINTS]    default 100000 (about 8 minutes here under
#                                 Wine, 17 natively); the test command runs 10000
#
# Build directories: QUORVENDA_WINDOWS_BUILD (default build/windows) and
# QUORVENDA_NATIVE_BUILD (default build/native, preset "native").
set -euo pipefail
cd "$(dirname "$0")/.."

repaints=${1:-100000}
if ! [[ $repaints =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [REPAINTS]" >&2
  exit 2
fi
windowsBuild=${QUORVENDA_WINDOWS_BUILD:-build/windows}
nativeBuild=${QUORVENDA_NATIVE_BUILD:-build/native}

source perf/lib.sh
perf_begin

[ -f "$windowsBuild/CMakeCache.txt" ] || cmake --preset windows -B "$windowsBuild" >/dev/null
cmake --build "$windowsBuild" -j2 --target quorvenda-drive >/dev/null
drive=$(cd "$windowsBuild" && pwd)/perf/quorvenda-drive.exe

perf_wine_env
folder=$PERF_WORK/data
perf_data_folder "$folder"
perf_make_prefix
perf_start_display
export WINEPREFIX=$PERF_PREFIX DISPLAY=$PERF_DISPLAY

perf_log "soak: $repaints repaints of the clock's window"
out=$PERF_WORK/soak.txt
started=$(date +%s)
status=0
(cd "$folder" && wine "$drive" --soak "$repaints" --repaint tick) >"$out" 2>>"$PERF_WORK/wine.log" || status=$?
tr -d '\r' <"$out" >"$out.txt"

row() { printf '%-34s %14s %14s\n' "$1" "$2" "$3"; }
echo
echo "Soak: $(perf_field "$out.txt" soak_repaints) of $repaints repaints in $(($(date +%s) - started)) s"
row "" before after
row "GDI objects" "$(perf_field "$out.txt" gdi_objects_before)" "$(perf_field "$out.txt" gdi_objects_after)"
row "private memory (commit), KiB" "$(perf_field "$out.txt" private_kib_before)" \
  "$(perf_field "$out.txt" private_kib_after)"
row "working set, KiB" "$(perf_field "$out.txt" working_set_kib_before)" \
  "$(perf_field "$out.txt" working_set_kib_after)"
echo "private memory growth $(perf_field "$out.txt" private_growth_bytes) B," \
  "allowed $(perf_field "$out.txt" private_growth_allowed_bytes) B"
echo "verdict: $(grep '^soak_verdict' "$out.txt" | cut -d' ' -f2-)"
[ $status -eq 0 ] || perf_fail "the soak found growth or did not finish (exit code $status)"

perf_log "soak: $repaints repaints of the native clock, its shaped and its RGBA window at once"
[ -f "$nativeBuild/CMakeCache.txt" ] || cmake --preset native -B "$nativeBuild" >/dev/null
cmake --build "$nativeBuild" -j2 --target quorvenda quorvenda-trace >/dev/null
# The repaints' bound only ends a run that hangs: at 20 repaints a second
# for each window (this machine, loaded by three others, did 65 with both at
# once), and a minute for start and end.
X11_SOAK_REPAINTS=$repaints X11_TEST_TIMEOUT=$((repaints / 20 + 60)) \
  tests/x11/run-all.sh "$nativeBuild" '^test_soak$' || perf_fail "the native clock's soak found growth or did not finish"
