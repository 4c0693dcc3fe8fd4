# shellcheck shell=bash
# The folder argument of the commands that start the clock (scripts/run.sh,
# scripts/run-clock.sh, scripts/run-native-clock.sh), and the demo folder they
# write when none is given. Sourced.

# clock_folder COMMAND [ARGUMENT...]: prints the folder given as an absolute
# path, or nothing when none is given (the demo folder). A wrong argument
# (an option, a second one, a folder that is not there) prints COMMAND's
# usage line and ends the command substitution with status 2.
clock_folder() {
  local command=$1
  shift
  local usage="usage: bash $command [FOLDER]   FOLDER: where quorvendadata1.txt and quorvendacolor.ini are (default: a demo folder)"
  if [ $# -gt 1 ] || [[ ${1:-} == -* ]]; then
    echo "$usage" >&2
    exit 2
  fi
  [ $# -eq 1 ] || return 0
  if [ ! -d "$1" ]; then
    echo "$command: no such folder: $1" >&2
    echo "$usage" >&2
    exit 2
  fi
  (cd "$1" && pwd)
}

# use_clock_folder FOLDER ROOT: sets CLOCK_FOLDER to FOLDER, with a note for
# each data file it lacks, or without FOLDER to the demo folder
# ROOT/build/demo, written anew.
use_clock_folder() {
  if [ -n "$1" ]; then
    clock_folder_notes "$1" "$2"
    CLOCK_FOLDER=$1
  else
    CLOCK_FOLDER=$2/build/demo
    write_demo_folder "$CLOCK_FOLDER"
  fi
}

# clock_folder_notes FOLDER ROOT: one line for each data file FOLDER lacks.
# The clock starts all the same, as it would on Windows.
clock_folder_notes() {
  [ -e "$1/quorvendadata1.txt" ] ||
    echo "== no quorvendadata1.txt in $1: the clock shows no events (an example: $2/examples/quorvendadata1.txt)"
  [ -e "$1/quorvendacolor.ini" ] ||
    echo "== no quorvendacolor.ini in $1: the hands are black and the window opaque (an example: $2/examples/quorvendacolor.ini)"
}

# One Shift-JIS line with CR LF.
sjis_line() { printf '%s\r\n' "$1" | iconv -f UTF-8 -t CP932; }

# Six lines of one event slot: name, dial flag, text flag, year, month, day.
event_slot() {
  local name=$1 dial=$2 text=$3 when=$4
  sjis_line "$name"; sjis_line "$dial"; sjis_line "$text"
  sjis_line "$(date -d "$when" +%Y)"; sjis_line "$(date -d "$when" +%-m)"; sjis_line "$(date -d "$when" +%-d)"
}

# write_demo_folder FOLDER: events dated from today, navy hands, opaque.
write_demo_folder() {
  mkdir -p "$1"
  {
    event_slot "今日の予定" 1 1 "today"
    event_slot "打ち合わせ" 1 1 "today + 3 days"
    event_slot "締め切り" 1 1 "today + 12 days"
    event_slot "誕生日" 1 1 "today + 2 months"
    event_slot "旅行" 0 1 "today + 1 year + 3 months"
    event_slot "記念日" 1 0 "today - 5 days"
    event_slot "" 0 0 "today"
  } >"$1/quorvendadata1.txt"
  # Navy hands; white background kept; fully opaque.
  { sjis_line 0; sjis_line 0; sjis_line 128; sjis_line 0; sjis_line 100; } >"$1/quorvendacolor.ini"
  echo "== demo folder: $1"
}
