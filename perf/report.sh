# shellcheck shell=bash

# The one table scripts/bench.sh prints, from the figures recorded with
# perf_result. Targets are shown beside the figures they concern; the table
# passes no judgement, since times depend on the machine and its load.

perf_row() { printf '%-50s %-24s %s\n' "$1" "$2" "${3:-}"; }

# perf_sum A B...: the sum, to two places, or n/a if any part is missing.
perf_sum() {
  awk 'BEGIN { for (i = 1; i < ARGC; i++) { if (ARGV[i] == "n/a") { print "n/a"; exit } s += ARGV[i] } printf "%.4f", s }' "$@"
}

# perf_percent SHARE: a share (0.0734) as a percentage (7.3 %), or n/a.
perf_percent() { awk -v s="$1" 'BEGIN { if (s == "n/a" || s == "") print "n/a"; else printf "%.1f %%", s * 100 }'; }

# perf_wine_tick_rows SUFFIX: the clock's timer tick under Wine (the changed
# areas drawn into the kept picture and painted) and the same with the
# picture forgotten, beside the fill+copy baseline at that DPI.
perf_wine_tick_rows() {
  local at=$1
  perf_row "  timer tick, changed areas: median / p99" \
    "$(perf_get "paint_clock_tick${at}_median_us") / $(perf_get "paint_clock_tick${at}_p99_us") us" \
    "$(perf_percent "$(perf_get "paint_clock_tick${at}_invalidated_share")") of the client area invalidated; tick / fill+copy $(perf_ratio \
      "$(perf_get "paint_clock_tick${at}_median_us")" "$(perf_get "paint_fill_copy${at}_median_us")")"
  perf_row "  timer tick, whole picture: median / p99" \
    "$(perf_get "paint_clock_whole${at}_median_us") / $(perf_get "paint_clock_whole${at}_p99_us") us" \
    "as after a new size or DPI; whole / changed areas $(perf_ratio \
      "$(perf_get "paint_clock_whole${at}_median_us")" "$(perf_get "paint_clock_tick${at}_median_us")")"
}

perf_report() {
  local mode=$1 idle name at
  idle=$(perf_get idle_seconds)
  declare -A idleTotal=()
  for name in clock minimal face; do
    for at in "" _144dpi; do
      idleTotal[$name$at]=$(perf_sum "$(perf_get "idle_${name}${at}_process_s")" "$(perf_get "idle_${name}${at}_server_s")")
    done
  done
  echo
  echo "Quorvenda performance ($mode run, $(nproc) cores, load average at start $(perf_get load))"
  perf_row "figure" "value" "note"
  perf_row "------" "-----" "----"
  perf_row "native repaint, null surface, median" "$(perf_get native_repaint_us) us" \
    "CPU $(perf_get native_repaint_cpu_us) us; target < 20 us"
  perf_row "native reading both files, median" "$(perf_get native_files_us) us" \
    "$(perf_get native_files_share) of the repaint"
  perf_row "native repaint, 1 MB event name, median" "$(perf_get native_1mb_us) us"
  perf_row "native repaint at 144 DPI, median" "$(perf_get native_repaint_144dpi_us) us"
  perf_row "native repaint through Cairo into an image, median" "$(perf_get cairo_repaint_us) us" \
    "at 144 DPI $(perf_get cairo_repaint_144dpi_us) us"
  perf_row "Wine paint handler, clock: median / p99" \
    "$(perf_get paint_clock_median_us) / $(perf_get paint_clock_p99_us) us" "$(perf_get paints) repaints x $(perf_get rounds)"
  perf_row "  baseline fill+copy: median / p99" \
    "$(perf_get paint_fill_copy_median_us) / $(perf_get paint_fill_copy_p99_us) us"
  perf_row "  baseline fill+face+copy: median / p99" \
    "$(perf_get paint_fill_face_copy_median_us) / $(perf_get paint_fill_face_copy_p99_us) us" \
    "the two 2-px circles and 12 ticks"
  perf_row "  clock / fill+copy (medians)" \
    "$(perf_ratio "$(perf_get paint_clock_median_us)" "$(perf_get paint_fill_copy_median_us)")" "target <= 2"
  perf_row "  clock / fill+face+copy (medians)" \
    "$(perf_ratio "$(perf_get paint_clock_median_us)" "$(perf_get paint_fill_face_copy_median_us)")"
  perf_wine_tick_rows ""
  perf_row "Wine paint handler at 144 DPI, clock: median / p99" \
    "$(perf_get paint_clock_144dpi_median_us) / $(perf_get paint_clock_144dpi_p99_us) us" "450 x 660 window"
  perf_row "  baseline fill+copy at 144 DPI: median / p99" \
    "$(perf_get paint_fill_copy_144dpi_median_us) / $(perf_get paint_fill_copy_144dpi_p99_us) us" \
    "clock / fill+copy $(perf_ratio "$(perf_get paint_clock_144dpi_median_us)" "$(perf_get paint_fill_copy_144dpi_median_us)")"
  perf_row "  baseline fill+face+copy at 144 DPI: median / p99" \
    "$(perf_get paint_fill_face_copy_144dpi_median_us) / $(perf_get paint_fill_face_copy_144dpi_p99_us) us" \
    "the two 3-px circles and 12 ticks"
  perf_wine_tick_rows _144dpi
  perf_row "idle ${idle} s, CPU s: process + wineserver" "" "others = explorer, services; X = its Xvfb"
  local rows=("clock|clock (quorvenda.exe, Wine)" "minimal|minimal (e2e-minimal.exe, Wine)"
    "face|fill+face+copy baseline (Wine)") row label
  for row in "${rows[@]}"; do
    IFS='|' read -r name label <<<"$row"
    for at in "" _144dpi; do
      [ -z "$at" ] || label="  at 144 DPI"
      perf_row "  $label" \
        "$(perf_get "idle_${name}${at}_process_s") + $(perf_get "idle_${name}${at}_server_s") = ${idleTotal[$name$at]}" \
        "others $(perf_get "idle_${name}${at}_others_s"), X $(perf_get "idle_${name}${at}_x_s")"
    done
  done
  perf_row "  xclock -update 1 (native)" "$(perf_get idle_xclock_process_s)" "X $(perf_get idle_xclock_x_s)"
  perf_row "  clock / minimal" "$(perf_ratio "${idleTotal[clock]}" "${idleTotal[minimal]}")" \
    "at 144 DPI $(perf_ratio "${idleTotal[clock_144dpi]}" "${idleTotal[minimal_144dpi]}"); target <= 1.5"
  perf_row "resident memory (VmRSS), KiB" "" "at the end of the idle run"
  for row in "${rows[@]}"; do
    IFS='|' read -r name label <<<"$row"
    perf_row "  ${label%% (*}: process / wineserver" \
      "$(perf_get "idle_${name}_rss_kib") / $(perf_get "idle_${name}_server_rss_kib")"
  done
  perf_row "  xclock" "$(perf_get idle_xclock_rss_kib)"
  perf_row "quorvenda.exe size / after strip" \
    "$(perf_get size_bytes) / $(perf_get stripped_size_bytes) B" "target < 524288 B (512 KiB)"
  perf_row "quorvenda.exe imports" "$(perf_get dlls)" "not system DLLs: $(perf_get nonsystem_dlls)"
  perf_row "shown second's lag behind the system clock" \
    "$(perf_get turnover_median_ms) / $(perf_get turnover_max_ms) ms" \
    "median / max over $(perf_get turnover_seconds) s, real clock"
  perf_row "start to first paint, clock / fill+copy" \
    "$(perf_get startup_clock_ms) / $(perf_get startup_fill_copy_ms) ms" \
    "median of $(perf_get startup_rounds), wineserver running"
  perf_native_report
}

# The native clock's rows, each beside its Wine figure.
perf_native_report() {
  local clock bare
  perf_row "native clock (GTK 3, optimised build)" "" "Wine's figure in the note"
  perf_row "  paint handler, clock: median / p99" \
    "$(perf_get paint_gtk_clock_median_us) / $(perf_get paint_gtk_clock_p99_us) us" \
    "dial into the image, frame copied and flushed to X; every hand moves"
  perf_row "  paint handler, one second's tick: median / p99" \
    "$(perf_get paint_gtk_clock_tick_median_us) / $(perf_get paint_gtk_clock_tick_p99_us) us" \
    "the second hand and time text move; tick / every hand $(perf_ratio "$(perf_get paint_gtk_clock_tick_median_us)" \
      "$(perf_get paint_gtk_clock_median_us)")"
  perf_row "  paint handler, keyed-out clock: median / p99" \
    "$(perf_get paint_gtk_clock_keyed_median_us) / $(perf_get paint_gtk_clock_keyed_p99_us) us" \
    "no compositor: the shape sent with each; keyed-out / clock $(perf_ratio \
      "$(perf_get paint_gtk_clock_keyed_median_us)" "$(perf_get paint_gtk_clock_median_us)")"
  perf_row "  keyed-out clock, one second's tick: median / p99" \
    "$(perf_get paint_gtk_clock_tick_keyed_median_us) / $(perf_get paint_gtk_clock_tick_keyed_p99_us) us" \
    "keyed-out / clock $(perf_ratio "$(perf_get paint_gtk_clock_tick_keyed_median_us)" \
      "$(perf_get paint_gtk_clock_tick_median_us)")"
  perf_row "  baseline fill+copy (GTK 3): median / p99" \
    "$(perf_get paint_gtk_fill_copy_median_us) / $(perf_get paint_gtk_fill_copy_p99_us) us"
  perf_row "  clock / fill+copy (medians)" \
    "$(perf_ratio "$(perf_get paint_gtk_clock_median_us)" "$(perf_get paint_gtk_fill_copy_median_us)")" \
    "target <= 2; Wine $(perf_ratio "$(perf_get paint_clock_median_us)" "$(perf_get paint_fill_copy_median_us)")"
  perf_row "  idle $(perf_get idle_gtk_seconds) s, CPU s: clock" "$(perf_get idle_gtk_clock_process_s)" \
    "X $(perf_get idle_gtk_clock_x_s)"
  perf_row "    bare GTK 3 window, ticking each second" "$(perf_get idle_gtk_bare_process_s)" \
    "X $(perf_get idle_gtk_bare_x_s)"
  perf_row "    GTK 3 fill+copy each second" "$(perf_get idle_gtk_fill_copy_process_s)" \
    "X $(perf_get idle_gtk_fill_copy_x_s)"
  perf_row "    xclock -update 1" "$(perf_get idle_xclock_process_s)" "over $(perf_get idle_seconds) s, in the Wine run"
  clock=$(perf_get idle_gtk_clock_process_s) bare=$(perf_get idle_gtk_bare_process_s)
  perf_row "    clock / bare window" "$(perf_ratio "$clock" "$bare")" \
    "target <= 1.5; Wine clock / minimal $(perf_ratio "$(perf_sum "$(perf_get idle_clock_process_s)" \
      "$(perf_get idle_clock_server_s)")" "$(perf_sum "$(perf_get idle_minimal_process_s)" "$(perf_get idle_minimal_server_s)")")"
  perf_row "  resident memory, KiB: clock / bare window" \
    "$(perf_get idle_gtk_clock_rss_kib) / $(perf_get idle_gtk_bare_rss_kib)" \
    "fill+copy $(perf_get idle_gtk_fill_copy_rss_kib); Wine clock $(perf_get idle_clock_rss_kib) + wineserver $(perf_get idle_clock_server_rss_kib)"
  perf_row "    clock / bare window" \
    "$(perf_ratio "$(perf_get idle_gtk_clock_rss_kib)" "$(perf_get idle_gtk_bare_rss_kib)")" "target <= 1.5"
  perf_row "  start to first paint, clock / fill+copy" \
    "$(perf_get startup_gtk_clock_ms) / $(perf_get startup_gtk_fill_copy_ms) ms" \
    "median of $(perf_get startup_rounds); Wine $(perf_get startup_clock_ms) / $(perf_get startup_fill_copy_ms) ms"
  perf_row "  shown second's lag behind the system clock" \
    "$(perf_get turnover_native_median_ms) / $(perf_get turnover_native_max_ms) ms" \
    "median / max, X server's damage; Wine $(perf_get turnover_median_ms) / $(perf_get turnover_max_ms) ms"
  perf_desktop_report
}

# perf_desk_ms KEY: a recorded idle_desk_ CPU time as ms of CPU a second, or n/a.
perf_desk_ms() {
  awk -v t="$(perf_get "$1")" -v s="$(perf_get idle_desk_seconds)" \
    'BEGIN { if (t == "n/a" || s + 0 <= 0) print "n/a"; else printf "%.2f", t * 1000 / s }'
}

# perf_desk_total NAME SCALE DESKTOP: program + X (+ window manager, + compositor), ms a second.
perf_desk_total() {
  local key=idle_desk_${1}_s${2}_$3 parts=(process x) part values=()
  [ "$3" = none ] || parts+=(wm)
  [ "$3" != composited ] || parts+=(compositor)
  for part in "${parts[@]}"; do values+=("$(perf_desk_ms "${key}_${part}_s")"); done
  awk 'BEGIN { for (i = 1; i < ARGC; i++) { if (ARGV[i] == "n/a") { print "n/a"; exit } s += ARGV[i] } printf "%.2f", s }' \
    "${values[@]}"
}

# The native clock's idle cost on a desktop (perf_desktop_idle_cpu), with
# the ratios its targets name.
perf_desktop_report() {
  local scales scale name label desktop key note
  read -r -a scales <<<"$(perf_get idle_desk_scales)"
  declare -A desktops=([none]="no window manager" [wm]="openbox" [composited]="openbox + picom")
  perf_row "  idle on a desktop, ms of CPU a second" "total" \
    "over $(perf_get idle_desk_seconds) s; each on its own X server, window manager, compositor"
  for name in clock keyed bare; do
    label=${name/bare/bare GTK 3 window}
    label=${label/keyed/keyed-out clock}
    for scale in "${scales[@]}"; do
      for desktop in none wm composited; do
        key=idle_desk_${name}_s${scale}_$desktop
        note="program $(perf_desk_ms "${key}_process_s"), X $(perf_desk_ms "${key}_x_s")"
        [ "$desktop" = none ] || note+=", WM $(perf_desk_ms "${key}_wm_s")"
        [ "$desktop" != composited ] || note+=", picom $(perf_desk_ms "${key}_compositor_s")"
        perf_row "    $label, scale $scale, ${desktops[$desktop]}" "$(perf_desk_total "$name" "$scale" "$desktop")" "$note"
      done
    done
  done
  # ratio rows: label | numerator | denominator | target
  local ratios=("keyed-out / clock|keyed|clock|about 1" "clock / bare window|clock|bare|<= 1.5") ratio over under target
  for ratio in "${ratios[@]}"; do
    IFS='|' read -r label over under target <<<"$ratio"
    for scale in "${scales[@]}"; do
      perf_row "    ${label/ window/}, scale $scale: no WM / openbox / + picom" \
        "$(perf_ratio "$(perf_desk_total "$over" "$scale" none)" "$(perf_desk_total "$under" "$scale" none)") / $(perf_ratio \
          "$(perf_desk_total "$over" "$scale" wm)" "$(perf_desk_total "$under" "$scale" wm)") / $(perf_ratio \
          "$(perf_desk_total "$over" "$scale" composited)" "$(perf_desk_total "$under" "$scale" composited)")" \
        "target $target"
    done
  done
}
