#!/usr/bin/env bash
# Measures what the clock costs and prints one table:
#  - the portable repaint against a null surface, the file reading alone and
#    the repaint with a 1 MB event name (Google Benchmark, optimised build);
#  - the paint handler under Wine, median and 99th percentile, against two
#    baselines driven the same way (perf/paint_timing.sh), at 96 and 144 DPI;
#  - time from process start to first paint (perf/startup.sh);
#  - the size and imports of quorvenda.exe (perf/size.sh);
#  - CPU time and resident memory while idle, beside a minimal Win32
#    program, the fill, face and copy baseline and xclock, and the Wine
#    programs again at 144 DPI (perf/idle_cpu.sh);
#  - how late the shown second turns over behind the system clock, median and
#    maximum (perf/turnover_lag.sh; 60 s, in --quick 10 s);
#  - the native clock (GTK 3, the optimised build): its paint handler against
#    a GTK 3 fill-and-copy window driven the same way, start to first paint,
#    idle CPU and memory beside a bare GTK 3 window ticking once a second
#    (perf/gtk/; 60 s, in --quick 5 s); the plain and the keyed-out clock and
#    the bare window under a window manager with and without a compositor,
#    the X server's, window manager's and compositor's CPU in columns of
#    their own (20 s at GDK scale 1 and 2, in --quick 5 s at scale 1); its
#    shown second's lag as the Windows clock's.
#
#   scripts/bench.sh           full run: 5 x 600 repaints, 3 x 60 s idle and 20 s on
#                              a desktop, 2 x 60 s of turnovers (about 9 minutes)
#   scripts/bench.sh --quick   the same steps, small: checks that everything
#                              runs and prints the table (about 2 minutes)
#   scripts/bench.sh --build   only builds what the benchmark runs, so that the
#                              test command can build it while other steps wait
#
# Neither asserts on times: they depend on the machine and its load. It
# fails only when a step cannot run or prints no figure.
# Build directories: QUORVENDA_BENCH_BUILD (default build/bench, preset
# "bench") and QUORVENDA_WINDOWS_BUILD (default build/windows, preset
# "windows"); both are configured if need be and brought up to date.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=full
case "${1:-}" in
  --quick) mode=quick ;;
  --build) mode=build ;;
  "") ;;
  *)
    echo "usage: $0 [--quick | --build]" >&2
    exit 2
    ;;
esac
if [ $mode = quick ]; then
  paints=50 warmup=10 rounds=1 startupRounds=1 idleSeconds=5 minTime=0.01 turnoverSeconds=10
  desktopIdleSeconds=5 desktopScales=(1)
else
  paints=600 warmup=200 rounds=5 startupRounds=5 idleSeconds=60 minTime=0.5 turnoverSeconds=60
  desktopIdleSeconds=20 desktopScales=(1 2)
fi
benchBuild=${QUORVENDA_BENCH_BUILD:-build/bench}
windowsBuild=${QUORVENDA_WINDOWS_BUILD:-build/windows}

source perf/lib.sh
source perf/paint_timing.sh
source perf/startup.sh
source perf/size.sh
source perf/idle_cpu.sh
source perf/turnover_lag.sh
source perf/report.sh
perf_begin
perf_result load "$(cut -d' ' -f1 /proc/loadavg)"

perf_log "building the benchmark ($benchBuild) and the Windows programs ($windowsBuild)"
[ -f "$benchBuild/CMakeCache.txt" ] || cmake --preset bench -B "$benchBuild" >/dev/null
cmake --build "$benchBuild" -j2 --target repaint_bench quorvenda quorvenda-drive-gtk quorvenda-baseline-gtk >/dev/null
nativeBuild=$(cd "$benchBuild" && pwd)
[ -f "$windowsBuild/CMakeCache.txt" ] || cmake --preset windows -B "$windowsBuild" >/dev/null
cmake --build "$windowsBuild" -j2 --target quorvenda quorvenda-drive quorvenda-baseline-fill-copy \
  quorvenda-baseline-fill-face-copy e2e-minimal turnover-times >/dev/null
windowsBuild=$(cd "$windowsBuild" && pwd)
if [ $mode = build ]; then
  perf_log "built; nothing measured"
  exit 0
fi

perf_log "native benchmark"
"$benchBuild/perf/bench/repaint_bench" --benchmark_min_time="$minTime" --benchmark_out_format=csv \
  --benchmark_out="$PERF_WORK/native.csv" >/dev/null
# CSV rows: "name",iterations,real_time,cpu_time,time_unit,...; times in
# microseconds. The CPU time is the steadier of the two on a busy machine.
native_median() {
  awk -F, -v n="\"$1/repeats:9_median\"" -v column="$2" '$1 == n { printf "%.1f", $column }' "$PERF_WORK/native.csv"
}
perf_result native_repaint_us "$(native_median BM_Repaint 3)"
perf_result native_repaint_cpu_us "$(native_median BM_Repaint 4)"
perf_result native_files_us "$(native_median BM_ReadBothFiles 3)"
perf_result native_1mb_us "$(native_median BM_RepaintWith1MBEventName 3)"
perf_result cairo_repaint_us "$(native_median BM_CairoRepaint 3)"
perf_result cairo_repaint_144dpi_us "$(native_median BM_CairoRepaintAt144Dpi 3)"
perf_result native_files_share \
  "$(awk -v f="$(perf_get native_files_us)" -v r="$(perf_get native_repaint_us)" 'BEGIN { printf "%.0f %%", 100 * f / r }')"

perf_log "Wine prefix and display"
perf_wine_env
folder=$PERF_WORK/data
perf_data_folder "$folder"
perf_make_prefix
prefix=$PERF_PREFIX
perf_start_display
PERF_DISPLAY_96=$PERF_DISPLAY
export WINEPREFIX=$prefix DISPLAY=$PERF_DISPLAY

perf_log "paint handler: ${rounds} x ${paints} repaints of each program"
perf_result paints "$paints"
perf_result rounds "$rounds"
perf_paint_timing "$windowsBuild" "$folder" "$paints" "$warmup" "$rounds"

# At 150 %: a copy of the prefix whose system DPI is 144, where the clock and
# the baselines open at 450 x 660 and draw at 144 DPI, on a screen that holds them.
perf_log "paint handler at 144 DPI: the clock and both baselines"
perf_copy_prefix "$prefix"
prefix144=$PERF_PREFIX
wine_prefix_set_dpi "$prefix144" 144 || perf_fail "could not set the system DPI of $prefix144"
WINE_SCREEN=1600x1200x24 perf_start_display
WINEPREFIX=$prefix144 DISPLAY=$PERF_DISPLAY perf_paint_timing "$windowsBuild" "$folder" "$paints" "$warmup" \
  "$rounds" _144dpi
WINEPREFIX=$prefix144 wineserver -k
export WINEPREFIX=$prefix DISPLAY=$PERF_DISPLAY_96
perf_result native_repaint_144dpi_us "$(native_median BM_RepaintAt144Dpi 3)"

perf_log "start-up: $startupRounds starts of each program"
perf_result startup_rounds "$startupRounds"
perf_startup "$windowsBuild" "$folder" "$startupRounds"

perf_size "$windowsBuild/src/app/quorvenda.exe"

perf_log "idle: $idleSeconds s"
unset WINEPREFIX DISPLAY
perf_idle_cpu "$windowsBuild" "$folder" "$idleSeconds" "$prefix"
perf_log "idle at 144 DPI: $idleSeconds s"
WINE_SCREEN=1600x1200x24 perf_idle_cpu "$windowsBuild" "$folder" "$idleSeconds" "$prefix144" _144dpi

# The native clock, optimised as it ships, on X servers of its own: the same
# steps as under Wine, against GTK 3 baselines (perf/gtk/).
perf_log "native paint handler: ${rounds} x ${paints} repaints of the clock and of fill+copy"
perf_start_display
PERF_DRIVE_STYLE=native DISPLAY=$PERF_DISPLAY perf_paint_timing "$nativeBuild" "$folder" "$paints" "$warmup" \
  "$rounds" "" "${PERF_NATIVE_DRIVES[@]}"
# The keyed-out clock on the same plain X server: hard-edged texts and its
# bounding shape made from the drawn pixels, with each repaint.
perf_log "native paint handler of the keyed-out clock: ${rounds} x ${paints} repaints"
PERF_DRIVE_STYLE=native DISPLAY=$PERF_DISPLAY perf_paint_timing "$nativeBuild" "$(perf_keyed_folder "$folder")" \
  "$paints" "$warmup" "$rounds" _keyed "${PERF_NATIVE_DRIVES[0]}" "${PERF_NATIVE_DRIVES[2]}"
perf_log "native start-up: $startupRounds starts of each program"
PERF_DRIVE_STYLE=native DISPLAY=$PERF_DISPLAY perf_startup "$nativeBuild" "$folder" "$startupRounds"
perf_log "native idle: $idleSeconds s"
perf_native_idle_cpu "$nativeBuild" "$folder" "$idleSeconds"
perf_log "native idle on a desktop, with and without a compositor: $desktopIdleSeconds s at GDK scale ${desktopScales[*]}"
perf_desktop_idle_cpu "$nativeBuild" "$folder" "$desktopIdleSeconds" "${desktopScales[@]}"

perf_log "shown second's lag behind the system clock: $turnoverSeconds s"
perf_start_display
export WINEPREFIX=$prefix DISPLAY=$PERF_DISPLAY
perf_turnover_lag "$windowsBuild" "$turnoverSeconds"
unset WINEPREFIX DISPLAY
perf_log "the native clock's shown second's lag: $turnoverSeconds s"
perf_native_turnover_lag "$nativeBuild" "$turnoverSeconds"

perf_report "$mode"
# Every figure must be there, or some step measured nothing.
if grep -q ' n/a' <(perf_report "$mode"); then
  perf_fail "some figures are missing (n/a above)"
fi
