# shellcheck shell=bash
# Size and dependencies of the shipped program: its size as built (the
# release build links with -s) and after running the MinGW strip on a copy,
# which must change nothing; the DLLs its import table names, each of which
# must be one of the system DLLs it may import. Records size_bytes,
# stripped_size_bytes, dlls and nonsystem_dlls.

# shellcheck source=scripts/lib/system_dlls.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/system_dlls.sh"

# perf_size EXE
perf_size() {
  local exe=$1 copy=$PERF_WORK/stripped.exe dll dlls=() foreign=()
  [ -f "$exe" ] || perf_fail "no $exe"
  cp "$exe" "$copy"
  x86_64-w64-mingw32-strip "$copy" || perf_fail "strip $exe"
  perf_result size_bytes "$(stat -c %s "$exe")"
  perf_result stripped_size_bytes "$(stat -c %s "$copy")"
  while read -r dll; do
    dlls+=("$dll")
    may_import "$dll" || foreign+=("$dll")
  done < <(imported_dlls "$exe")
  [ ${#dlls[@]} -gt 0 ] || perf_fail "objdump found no imports in $exe"
  perf_result dlls "${dlls[*]}"
  perf_result nonsystem_dlls "${foreign[*]:-none}"
}
