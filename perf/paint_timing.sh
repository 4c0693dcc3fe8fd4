# shellcheck shell=bash
# Paint handler timing under Wine: the clock's drive and the two baselines,
# in turn, ROUNDS times, each repainting its window PAINTS times as fast as
# it goes after WARMUP unmeasured repaints. Records, per program, the median
# of the rounds' medians and of their 99th percentiles (perf_result keys
# paint_<name><SUFFIX>_median_us and paint_<name><SUFFIX>_p99_us). Expects
# DISPLAY and WINEPREFIX to be set; runs in FOLDER, the data folder. With
# DRIVES (name:program words), only those programs; with
# PERF_DRIVE_STYLE=native, DRIVES are native programs (PERF_NATIVE_DRIVES).

# clock_tick is the clock's own timer tick on a second the drive sets (the
# changed areas drawn into the kept picture, invalidated, then painted);
# clock_whole the same tick with the picture forgotten, as after a new size.
PERF_DRIVES=(clock:quorvenda-drive fill_copy:quorvenda-baseline-fill-copy
  fill_face_copy:quorvenda-baseline-fill-face-copy "clock_tick:quorvenda-drive --repaint tick"
  "clock_whole:quorvenda-drive --repaint whole")

# The native drive (perf/gtk/paint_drive.cpp) and its baseline, as DRIVES
# for PERF_DRIVE_STYLE=native, and last the clock's drive with a clock a
# second on at each repaint, as its timer ticks.
# shellcheck disable=SC2034 # read by run_bench.sh and startup.sh
PERF_NATIVE_DRIVES=("gtk_clock:quorvenda-drive-gtk clock" "gtk_fill_copy:quorvenda-drive-gtk fill-copy"
  "gtk_clock_tick:quorvenda-drive-gtk clock-tick")

# perf_drive_exe WINDOWS_BUILD NAME: the path of a drive program.
perf_drive_exe() { echo "$1/perf/$2.exe"; }

# perf_drive_run BUILD PROGRAM ARG...: runs a drive program of BUILD (its
# name and first words, as in DRIVES): under Wine, or natively with
# PERF_DRIVE_STYLE=native.
perf_drive_run() {
  local build=$1 words
  read -r -a words <<<"$2"
  shift 2
  if [ "${PERF_DRIVE_STYLE:-wine}" = native ]; then
    NO_AT_BRIDGE=1 "$build/perf/${words[0]}" "${words[@]:1}" "$@"
  else
    wine "$(perf_drive_exe "$build" "${words[0]}")" "${words[@]:1}" "$@"
  fi
}

# perf_paint_timing WINDOWS_BUILD FOLDER PAINTS WARMUP ROUNDS [SUFFIX [DRIVES...]]
perf_paint_timing() {
  local build=$1 folder=$2 paints=$3 warmup=$4 rounds=$5 suffix=${6:-} round drive name out
  local drives=("${PERF_DRIVES[@]}")
  [ $# -le 6 ] || drives=("${@:7}")
  declare -A medians=() p99s=() shares=()
  for ((round = 1; round <= rounds; round++)); do
    for drive in "${drives[@]}"; do
      name=${drive%%:*}
      out=$PERF_WORK/paints-$name$suffix-$round.txt
      (cd "$folder" && perf_drive_run "$build" "${drive#*:}" --paints "$paints" --warmup "$warmup") >"$out" \
        2>>"$PERF_WORK/wine.log" || perf_fail "${drive#*:} --paints $paints failed: $(tr -d '\r' <"$out" | tail -n 3)"
      medians[$name]+=" $(perf_field "$out" paint_median_us)"
      p99s[$name]+=" $(perf_field "$out" paint_p99_us)"
      # A tick also prints the share of the client area it invalidated.
      shares[$name]+=" $(perf_field "$out" invalidated_share_mean)"
      perf_log "paints $name$suffix round $round: median $(perf_field "$out" paint_median_us) us"
    done
  done
  for drive in "${drives[@]}"; do
    name=${drive%%:*}
    # shellcheck disable=SC2086 # one number per word
    perf_result "paint_${name}${suffix}_median_us" "$(perf_median ${medians[$name]})"
    # shellcheck disable=SC2086
    perf_result "paint_${name}${suffix}_p99_us" "$(perf_median ${p99s[$name]})"
    # shellcheck disable=SC2086
    [ -z "${shares[$name]// /}" ] || perf_result "paint_${name}${suffix}_invalidated_share" "$(perf_median ${shares[$name]})"
  done
}
