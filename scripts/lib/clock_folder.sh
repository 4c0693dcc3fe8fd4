# shellcheck shell=bash
# The folder argument of the commands that start the clock (scripts/run.sh,
# scripts/run-clock.sh). Sourced.

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
