# The unit tests of the Win32 framework layer and the GDI surface
# (framework_tests.exe): they create real windows and device contexts, so
# they run here, under Wine on the test's own display.

test_win32_framework_unit_tests_pass() {
  local output="$E2E_WORK/framework_tests.log" code=0 summary
  (cd "$E2E_WORK" && timeout 120 wine "$E2E_WINDOWS_BUILD/src/app/framework_tests.exe") >"$output" 2>&1 || code=$?
  summary=$(tr -d '\r' <"$output" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1)
  e2e_log "framework_tests: ${summary:-no summary}, exit code $code"
  if [ "$code" -ne 0 ] || [[ ! $summary =~ ^[1-9][0-9]*\ passed,\ 0\ failed$ ]]; then
    tr -d '\r' <"$output" | grep -v '^[[:space:]]*$' | tail -n 20
    e2e_fail "framework_tests failed"
  fi
}
e2e_test test_win32_framework_unit_tests_pass
