# shellcheck shell=bash
# The program file's defences: address-space randomisation with high-entropy
# addresses and a non-executable data area in its PE header, nothing to
# import but the system DLLs it needs from the start (so no DLL of ours can be
# planted beside it), and a
# DLL search path that never includes the current folder, the user's data
# folder.

# shellcheck source=scripts/lib/system_dlls.sh
source "$E2E_SOURCE_ROOT/scripts/lib/system_dlls.sh"

E2E_OBJDUMP=x86_64-w64-mingw32-objdump

e2e_pe_headers() { "$E2E_OBJDUMP" -p "$(e2e_program)"; }

test_program_header_asks_for_aslr_with_high_entropy_addresses_and_dep() {
  local headers flag
  headers=$(e2e_pe_headers)
  for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    e2e_check "DllCharacteristics has $flag" grep -qx "[[:space:]]*$flag" <<<"$headers"
  done
  # Without relocations the loader cannot move the image: DYNAMIC_BASE alone
  # would then be an empty promise.
  local relocations
  relocations=$(awk '/Base Relocation Directory/ { print $3 }' <<<"$headers")
  e2e_log "base relocation directory: ${relocations:-missing} bytes (hex)"
  e2e_check "the image carries its base relocations" [ "$((16#${relocations:-0}))" -gt 0 ]
}
e2e_build_test test_program_header_asks_for_aslr_with_high_entropy_addresses_and_dep

# not_named_in WORD TEXT: WORD is not a word of TEXT.
not_named_in() { ! grep -qw "$1" <<<"$2"; }

test_program_imports_only_system_dlls() {
  local headers imported dll
  headers=$(e2e_pe_headers)
  imported=$(imported_dlls "$(e2e_program)" | sort -u | tr '\n' ' ')
  e2e_log "imported DLLs: $imported"
  e2e_check "some DLLs are imported" [ -n "$imported" ]
  for dll in $imported; do
    e2e_check "$dll is one of the system DLLs it may import ($SYSTEM_DLLS)" may_import "$dll"
  done
  # Delay-loaded DLLs would be looked for later, along the search path.
  local delayed
  delayed=$(awk '/Delay Import Directory/ { print $3 }' <<<"$headers")
  e2e_check "no delay-loaded DLLs" [ "$((16#${delayed:-0}))" -eq 0 ]
  e2e_check "SetDefaultDllDirectories is imported" grep -qw SetDefaultDllDirectories <<<"$headers"
  # The per-monitor DPI functions are looked up at run time: a Windows
  # without them still starts the program.
  local newer
  for newer in GetDpiForWindow GetDpiForSystem AdjustWindowRectExForDpi SetProcessDpiAwarenessContext \
    SetThreadDpiAwarenessContext GetSystemMetricsForDpi; do
    e2e_check "$newer is not imported" not_named_in "$newer" "$headers"
  done
}
e2e_build_test test_program_imports_only_system_dlls

# The application manifest travels inside the program, where Windows looks
# for it: resource type RT_MANIFEST (24), id 1, asking to run as the user
# and declaring per-monitor DPI awareness in both of Windows' forms.
# e2e_embedded_manifest: the XML of the program's RT_MANIFEST resource, as the program file carries it.
e2e_embedded_manifest() {
  python3 - "$(e2e_program)" <<'PY'
import re, sys
data = open(sys.argv[1], "rb").read()
match = re.search(rb"<\?xml.*?</assembly>", data, re.S)
sys.stdout.write(match.group(0).decode("utf-8") if match else "")
PY
}

test_program_carries_its_manifest_as_resource_1() {
  local ids
  ids=$(e2e_pe_headers | sed -n '/The .rsrc Resource Directory/,$p' |
    awk '/^[0-9a-f]+   Entry: ID:/ { type = $4 } /^[0-9a-f]+     Entry: ID:/ && type == "0x000018," { print $4 }')
  e2e_log "RT_MANIFEST ids: ${ids:-none}"
  e2e_check "one manifest, id 1" [ "$ids" = "0x000001," ]
  e2e_check "it asks to run as the invoking user" grep -qaF 'level="asInvoker"' "$(e2e_program)"
  local manifest
  manifest=$(e2e_embedded_manifest)
  e2e_check "it is per-monitor aware for Windows 8.1 and the first Windows 10" grep -qF \
    '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>' <<<"$manifest"
  e2e_check "and per-monitor (version 2 first) for later ones" grep -qF \
    '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>' \
    <<<"$manifest"
}
e2e_build_test test_program_carries_its_manifest_as_resource_1

# A DLL left in the data folder under a name that no system folder holds is
# loaded by a process that searches its current folder, as Windows and Wine
# do by default. The clock restricts its search to System32 at start-up, so
# asked to load that name it finds nothing. A control process proves that the
# planted copy would otherwise be found, and the probe works.
test_a_dll_planted_in_the_data_folder_is_not_loaded_by_the_clock() {
  local planted=e2e-planted.dll
  # process | title to wait for | loaded
  local rows=(
    "e2e-minimal.exe|^unrestricted\$|loaded"
    "$E2E_PROGRAM_NAME|^$E2E_CREATION_TITLE\$|not loaded"
  )
  local row process title expected folder result
  for row in "${rows[@]}"; do
    IFS='|' read -r process title expected <<<"$row"
    folder=$(e2e_event_folder "planted-${process%.exe}" 2007 6 20 1)
    cp "$E2E_WINDOWS_BUILD/tests/e2e/planted/$planted" "$folder/$planted"
    if [ "$process" = "$E2E_PROGRAM_NAME" ]; then
      e2e_start_program "$folder" '@2007-06-10 12:00:00'
    else
      e2e_start_exe "$(e2e_helper "${process%.exe}")" "$folder" E2E_MINIMAL_TITLE=unrestricted
    fi
    e2e_wait_window "$title" 15 >/dev/null
    result=$(e2e_win_helper remote-load-library "$process" "$planted" | tr -d '\r') || e2e_fail "remote-load-library"
    e2e_log "$process asked to load $planted from its data folder: $result"
    e2e_check "$process: $expected" [ "$result" = "$expected" ]
    if [ "$expected" = loaded ]; then
      e2e_check "the planted copy recorded $process" grep -qi "\\\\$process" "$folder/${planted%.dll}.loaded"
    else
      e2e_check "the planted copy was never loaded" [ ! -e "$folder/${planted%.dll}.loaded" ]
      e2e_check "the clock still runs" e2e_program_running
    fi
    e2e_stop_program
  done
}
e2e_test test_a_dll_planted_in_the_data_folder_is_not_loaded_by_the_clock
