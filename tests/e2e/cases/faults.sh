# shellcheck shell=bash
# Faults injected into the clock's data files while it runs: the event list
# deleted, locked by another program, turned into a folder, grown to 50 MB,
# filled with random bytes; the colour settings full of absurd numbers. After
# each one the clock must still be alive and painting its second hand, show
# exactly what the files then say, and change nothing else: same title, same
# window, no message box, slot 1's line untouched where it is kept.

E2E_ALL_SLOTS='1 2 3 4 5 6 7'
# The file is 50 MiB: big enough that reading it whole each second shows.
E2E_BIG_FILE_BYTES=$((50 * 1024 * 1024))

# e2e_slot_lines FIRST LAST TEXT_FLAG: the six lines of slots FIRST to LAST,
# events on 2007-06-2N (N the slot) with their countdown lines switched by
# TEXT_FLAG and no dial marks, so the top left shows only the lines.
e2e_slot_lines() {
  local slot
  for slot in $(seq "$1" "$2"); do
    printf '%s\n' "会議$slot" 0 "$3" 2007 6 $((20 + slot))
  done
}

# Shift-JIS with CR LF line ends, from UTF-8 lines on standard input.
e2e_to_sjis_crlf() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932; }

# e2e_repeat_to_size BYTES: standard input repeated, cut to BYTES.
e2e_repeat_to_size() {
  python3 -c 'import sys
block, size = sys.stdin.buffer.read(), int(sys.argv[1])
sys.stdout.buffer.write((block * (size // len(block) + 1))[:size])' "$1"
}

e2e_visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }

# e2e_expect_clock_unharmed NAME: the clock is alive, repaints its second
# hand, and kept its title, its window and its single window.
e2e_expect_clock_unharmed() {
  local name=$1
  e2e_check "$name: the clock is still running" e2e_program_running
  e2e_wait_repaint "$name-painting" $((CENTRE_X - INNER_RADIUS)) $((CENTRE_Y - INNER_RADIUS)) \
    $((2 * INNER_RADIUS)) $((2 * INNER_RADIUS))
  e2e_check "$name: title unchanged" e2e_title_is "$MAIN_WINDOW" "$E2E_CREATION_TITLE"
  e2e_check "$name: window where it was" [ "$(e2e_geometry "$MAIN_WINDOW")" = "$E2E_BASELINE_GEOMETRY" ]
  e2e_check "$name: no window came or went" [ "$(e2e_visible_windows)" = "$E2E_BASELINE_WINDOWS" ]
}

# Injections into the event list FILE, and how each is undone. E2E_GOOD_LIST
# is the seven-slot file the clock started with.

e2e_inject_deleted() { rm -f "$1"; }

# e2e_inject_locked FILE [as-spreadsheet]: FILE held open with no sharing,
# or as a spreadsheet holds its document (read and write, others may read).
e2e_inject_locked() {
  : >"$E2E_WORK/hold.out"
  # Held far longer than the test needs; released by killing the holder.
  wine "$(e2e_helper hold-file)" "Z:${1//\//\\}" 300 ${2:+"$2"} >"$E2E_WORK/hold.out" 2>>"$E2E_WORK/helpers.log" &
  E2E_HOLDER_PID=$!
  e2e_wait_for 10 grep -q holding "$E2E_WORK/hold.out" || e2e_fail "hold-file did not open $1"
  e2e_log "hold-file (pid $E2E_HOLDER_PID) holds $1 ${2:-with no sharing}"
}

e2e_release_locked() {
  # Killing the process is what closes its handle, as when an editor dies.
  kill -KILL "$E2E_HOLDER_PID"
  wait "$E2E_HOLDER_PID" 2>/dev/null || true
}

e2e_inject_directory() {
  rm -f "$1"
  mkdir "$1"
}

e2e_inject_big_one_line() {
  # One 50 MB line and nothing after it: slot 1's name, its flag lines missing.
  head -c "$E2E_BIG_FILE_BYTES" /dev/zero | tr '\0' 'A' >"$1"
}

e2e_inject_big_name() {
  # Slot 1 on with a 50 MB name: its line is drawn, cut at the window's edge,
  # and the clock keeps its one-second cadence.
  {
    head -c "$E2E_BIG_FILE_BYTES" /dev/zero | tr '\0' 'A'
    printf '\r\n1\r\n1\r\n2007\r\n6\r\n21\r\n'
  } >"$1"
}

e2e_inject_big_many_lines() {
  # Slots 1-3 on and 4-7 off in the first 42 lines, then 50 MB of lines
  # that would switch all seven on if anything past line 42 were read.
  {
    { e2e_slot_lines 1 3 1; e2e_slot_lines 4 7 0; } | e2e_to_sjis_crlf
    e2e_slot_lines 1 7 1 | e2e_to_sjis_crlf | e2e_repeat_to_size "$E2E_BIG_FILE_BYTES"
  } >"$1"
}

e2e_inject_big_utf16_name() {
  # As big-name, in kanji saved as UTF-16 with an odd byte count: the name
  # is converted whole and the stray last byte reads as '?'.
  {
    printf '\xff\xfe'
    printf '会議' | iconv -f UTF-8 -t UTF-16LE | e2e_repeat_to_size "$E2E_BIG_FILE_BYTES"
    printf '\r\n1\r\n1\r\n2007\r\n6\r\n21\r\n' | iconv -f UTF-8 -t UTF-16LE
    printf 'x'
  } >"$1"
}

e2e_inject_big_utf8_list() {
  # As big-many-lines, saved as UTF-8 without a byte-order mark: telling it
  # from Shift-JIS reads all 50 MB each second; slot 1's line is the same.
  {
    { e2e_slot_lines 1 3 1; e2e_slot_lines 4 7 0; } | sed 's/$/\r/'
    # Whole lines only: a character cut at the end would make it Shift-JIS.
    e2e_slot_lines 1 7 1 | sed 's/$/\r/' | e2e_repeat_to_size "$E2E_BIG_FILE_BYTES" | sed '$d'
  } >"$1"
}

e2e_inject_random_bytes() {
  # A megabyte, the same on every run. Without the digit 1 no line can spell
  # a flag of 1: nothing may show.
  python3 -c 'import random, sys
random.seed(6)
sys.stdout.buffer.write(random.randbytes(1024 * 1024))' | tr -d '1' >"$1"
}

e2e_inject_random_texts() {
  # Every flag on, every name 200 random bytes (no line end, no Ctrl-Z):
  # seven countdown lines of garbage text must still be drawn, each in its
  # colour.
  python3 -c 'import random, sys
random.seed(7)
for slot in range(1, 8):
    name = bytes(b for b in random.randbytes(200) if b not in b"\n\r\x1a")
    sys.stdout.buffer.write(name + b"\r\n0\r\n1\r\n2007\r\n6\r\n%d\r\n" % (20 + slot))' >"$1"
}

e2e_restore_good_list() {
  if [ -d "$1" ]; then rmdir "$1"; fi
  cp "$E2E_GOOD_LIST" "$1"
}

test_event_list_faults_keep_the_clock_running_and_slot_1_shown() {
  local folder list
  folder=$(e2e_make_folder event-faults)
  list="$folder/quorvendadata1.txt"
  E2E_GOOD_LIST="$E2E_WORK/good-event-list.txt"
  e2e_slot_lines 1 7 1 | e2e_to_sjis_crlf >"$E2E_GOOD_LIST"
  cp "$E2E_GOOD_LIST" "$list"
  e2e_open_clock "$folder"
  e2e_trace_dial
  e2e_wait_slots start "$E2E_ALL_SLOTS"
  local baseline="$E2E_WORK/start.png"
  E2E_BASELINE_GEOMETRY=$(e2e_geometry "$MAIN_WINDOW")
  E2E_BASELINE_WINDOWS=$(e2e_visible_windows)

  # name | injection | lines shown meanwhile | slot 1's line meanwhile | undo
  local rows=(
    "deleted|e2e_inject_deleted|1|same|e2e_restore_good_list"
    "locked|e2e_inject_locked|1|same|e2e_release_locked"
    "directory|e2e_inject_directory|1|same|e2e_restore_good_list"
    "big-one-line|e2e_inject_big_one_line|||e2e_restore_good_list"
    "big-name|e2e_inject_big_name|1|changed|e2e_restore_good_list"
    "big-many-lines|e2e_inject_big_many_lines|1 2 3|same|e2e_restore_good_list"
    "big-utf16-name|e2e_inject_big_utf16_name|1|changed|e2e_restore_good_list"
    "big-utf8-list|e2e_inject_big_utf8_list|1 2 3|same|e2e_restore_good_list"
    "random-bytes|e2e_inject_random_bytes|||e2e_restore_good_list"
    "random-texts|e2e_inject_random_texts|$E2E_ALL_SLOTS|changed|e2e_restore_good_list"
  )
  local row name inject shown slot1 undo
  for row in "${rows[@]}"; do
    IFS='|' read -r name inject shown slot1 undo <<<"$row"
    "$inject" "$list"
    e2e_wait_slots "$name" "$shown" ${slot1:+"$slot1" "$baseline"}
    e2e_expect_clock_unharmed "$name"
    # Undone, the file shows all seven again as at the start: nothing of the
    # fault stuck.
    "$undo" "$list"
    e2e_wait_slots "$name-undone" "$E2E_ALL_SLOTS" same "$baseline"
    e2e_expect_clock_unharmed "$name-undone"
  done
}
e2e_test test_event_list_faults_keep_the_clock_running_and_slot_1_shown

# e2e_opacity WINDOW: the alpha Wine gave the X window, as
# _NET_WM_WINDOW_OPACITY (alpha x 0x01010101), or "none" when it is opaque.
e2e_opacity() {
  xprop -id "$1" _NET_WM_WINDOW_OPACITY | awk -F' = ' 'NF == 2 { print $2; found = 1 } END { if (!found) print "none" }'
}

test_absurd_colour_settings_wrap_as_numbers_do_and_the_clock_runs_on() {
  # Every number read as the C library reads it, wrapping in 32 bits: hand
  # colour = the low 8 bits of lines 1-3, colour key on only for exactly 1,
  # alpha = the low 8 bits of 2 x line 5 + 55.
  # name | lines 1-5 (;) | hand colour | _NET_WM_WINDOW_OPACITY | keyed
  local rows=(
    "huge|10000000000000000000000000000000000000100;99999999999;-4294967041;4294967297;4294967346|64ffff|2610666395|1"
    "negative|-1;-2147483648;-156;-1;-1|ff0064|892679477|0"
    "letters|red;ｘｙ;0x80;yes;full|000000|926365495|0"
  )
  # Five sound lines and 995 absurd ones that must change nothing.
  local thousand
  thousand="0;0;255;1;-28$(awk 'BEGIN { for (i = 0; i < 995; i++) printf ";-99999999999999999999 and letters" }')"
  rows+=("1000-lines|$thousand|0000ff|none|1")
  local row name lines colour opacity keyed folder shot root patch bottomRight
  root=$(echo "${E2E_ROOT_COLOUR#\#}" | tr 'A-F' 'a-f')
  for row in "${rows[@]}"; do
    IFS='|' read -r name lines colour opacity keyed <<<"$row"
    folder=$(e2e_event_folder "colours-$name" 2007 6 20 1)
    local fields
    IFS=';' read -r -a fields <<<"$lines"
    e2e_write_sjis "$folder/quorvendacolor.ini" "${fields[@]}"
    e2e_open_clock "$folder"
    e2e_trace_dial
    E2E_BASELINE_GEOMETRY=$(e2e_geometry "$MAIN_WINDOW")
    E2E_BASELINE_WINDOWS=$(e2e_visible_windows)
    e2e_wait_slots "colours-$name" 1
    shot="$E2E_WORK/colours-$name.png"
    e2e_check "$name: window opacity $opacity" [ "$(e2e_opacity "$MAIN_WINDOW")" = "$opacity" ]
    read -r -a patch <<<"$(e2e_background_patch)"
    local expectedBackground=$E2E_BACKGROUND_COLOUR
    [ "$keyed" = 1 ] && expectedBackground=$root
    e2e_check "$name: background shows $expectedBackground" \
      [ "$(e2e_count_colour "$shot" "${patch[@]}" "$expectedBackground")" -eq $((patch[2] * patch[3])) ]
    # The time and date texts at the bottom right are drawn in the hand colour.
    bottomRight="$((CLIENT_W / 2)) $((CLIENT_H - 3 * E2E_TEXT_HEIGHT)) $((CLIENT_W / 2)) $((3 * E2E_TEXT_HEIGHT))"
    # shellcheck disable=SC2086
    e2e_check "$name: clock texts in the hand colour $colour" \
      [ "$(e2e_count_colour "$shot" $bottomRight "$colour")" -ge 40 ]
    e2e_expect_clock_unharmed "colours-$name"
    e2e_stop_program
  done
}
e2e_test test_absurd_colour_settings_wrap_as_numbers_do_and_the_clock_runs_on
