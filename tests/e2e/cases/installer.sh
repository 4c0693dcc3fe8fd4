# shellcheck shell=bash
# The Windows installer (scripts/package.sh, packaging/installer/) as users
# and administrators meet it: a silent per-user install into a fresh prefix,
# the clock started as its shortcut starts it, the sign-in shortcut switched
# on and off, an upgrade over an older version that keeps the user's events,
# an uninstall that leaves the data folder and nothing else, and the wizard's
# Japanese under a non-Japanese code page. The installer is E2E_INSTALLER,
# or the one that scripts/package.sh left in dist/ beside the zip.

E2E_UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvenda'
E2E_SETUP_CAPTION='Quorvenda セットアップ'
# Of the different ink columns in the wizard's text, drawn glyphs give some
# 480 on the first page, the same texts drawn as boxes about 140.
E2E_GLYPH_VARIETY_MIN=300

e2e_installer() {
  if [ -n "${E2E_INSTALLER:-}" ]; then
    echo "$E2E_INSTALLER"
    return
  fi
  local found=("$E2E_DIST"/quorvenda-*-win-x64-setup.exe)
  if [ ${#found[@]} -ne 1 ] || [ ! -f "${found[0]}" ]; then
    e2e_fail "no single $E2E_DIST/quorvenda-*-win-x64-setup.exe: run scripts/package.sh first"
  fi
  echo "${found[0]}"
}

# e2e_installer_prefix: switches the test to a fresh prefix whose profile
# folders (Documents, Desktop, ...) are links to a home of its own, since
# Wine links them to $HOME. Sets E2E_PROFILE (the profile's folder) and
# E2E_PROFILE_WIN (its Windows path).
e2e_installer_prefix() {
  export HOME=$E2E_WORK/home
  mkdir -p "$HOME"
  E2E_PREFIX=$E2E_WORK/prefix
  e2e_wine_env
  wine_prefix_create "$WINEPREFIX" || e2e_fail "wineboot could not create $WINEPREFIX"
  local folder
  for folder in "$WINEPREFIX"/drive_c/users/*; do
    [ "${folder##*/}" = Public ] || E2E_PROFILE=$folder
  done
  E2E_PROFILE_WIN="C:\\users\\${E2E_PROFILE##*/}"
  e2e_check "the profile's Documents is the test's home" [ "$(readlink -f "$E2E_PROFILE/Documents")" = "$HOME" ]
}

# e2e_run_setup EXE ARGS...: runs an installer or uninstaller to its end,
# and everything it started (an uninstaller runs again from a copy).
e2e_run_setup() {
  local exe=$1 status=0
  shift
  timeout 120 wine "$exe" "$@" >>"$E2E_WORK/setup.log" 2>&1 || status=$?
  WINEPREFIX=$E2E_PREFIX wineserver -w
  e2e_log "${exe##*/} $*: exit code $status"
  return "$status"
}

# The prefix's files and the test's home (where the profile's Documents
# links to), and the prefix's HKCU, to compare before the install and after
# the uninstall. Left out: the temporary folders, where an uninstaller's
# copy of itself stays until the next sign-in, and Wine's own keys (its font
# cache, say).
e2e_prefix_files() {
  (cd "$E2E_WORK" && find prefix home -path prefix/dosdevices -prune -o -path 'prefix/drive_c/users/*/Temp' -prune \
    -o -path prefix/drive_c/windows/temp -prune -o -print | LC_ALL=C sort)
}
e2e_prefix_hkcu() {
  wine reg export HKCU "$E2E_WORK/hkcu.reg" /y >/dev/null 2>&1 || e2e_fail "reg export HKCU"
  iconv -f UTF-16 -t UTF-8 "$E2E_WORK/hkcu.reg" | tr -d '\r' |
    awk '/^\[/ { wine = index($0, "[HKEY_CURRENT_USER\\Software\\Wine") == 1 } !wine'
}

# e2e_read_uninstall_entry: reads the uninstall entry's values for
# e2e_uninstall_value, in one run of reg. A run that fails is logged with
# what reg said (in the prefix's code page) and made once more: once, under
# load, one of a row of such runs failed within 80 ms while the runs before
# and after it read the entry.
e2e_read_uninstall_entry() {
  local attempt status said
  for attempt in 1 2; do
    status=0
    wine reg query "$E2E_UNINSTALL_KEY" >"$E2E_WORK/uninstall-entry.txt" 2>"$E2E_WORK/reg.err" || status=$?
    [ $status -ne 0 ] || return 0
    said=$(cat "$E2E_WORK/uninstall-entry.txt" "$E2E_WORK/reg.err" | iconv -c -f CP932 -t UTF-8 | tr -d '\r' | tr '\n' ' ')
    e2e_log "reg query, run $attempt: exit code $status: ${said:0:400}"
  done
  return 1
}

# e2e_uninstall_value NAME: the value of the entry last read, or nothing.
e2e_uninstall_value() {
  tr -d '\r' <"$E2E_WORK/uninstall-entry.txt" | sed -n "s/^    $1    REG_[A-Z_]*    //p"
}

# e2e_shortcut LINK: "target|working folder|arguments" of a shortcut.
e2e_shortcut() {
  e2e_win_helper shell-link "$(e2e_windows_path "$1")" | tr -d '\r' | paste -sd '|'
}

# e2e_checksum_matches FILE: FILE's line in SHA256SUMS beside it holds.
e2e_checksum_matches() {
  (cd "$(dirname "$1")" && grep -F " ${1##*/}" SHA256SUMS | sha256sum -c --quiet)
}

e2e_refused() { ! "$@"; }

e2e_unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }

test_installer_installs_for_the_user_upgrades_in_place_and_leaves_only_the_data() {
  local setup old_setup zip version stage
  command -v makensis >/dev/null || e2e_fail "makensis is missing: run scripts/setup.sh"
  setup=$(e2e_installer)
  zip=$(e2e_package_zip)
  version=$(e2e_package_version "$zip")
  e2e_check "dist/SHA256SUMS covers the installer" e2e_checksum_matches "$setup"
  # An older version to upgrade from: the zip's files with another program
  # in place of the clock, so that the upgrade shows in the program's bytes.
  stage=$E2E_WORK/stage
  e2e_unzip "$zip" "$stage"
  stage=$stage/quorvenda-$version
  cp "$stage/quorvenda.exe" "$E2E_WORK/quorvenda.exe"
  cp "$(e2e_helper e2e-minimal)" "$stage/quorvenda.exe"
  old_setup=$E2E_WORK/old/$(bash "$E2E_SOURCE_ROOT/packaging/installer/build-installer.sh" "$stage" 2.0.0.1 \
    "$E2E_WINDOWS_BUILD/src/app/icons/sun_moon.ico" "$E2E_WORK/old" 2>>"$E2E_WORK/setup.log" | tail -n 1)

  e2e_installer_prefix
  local files_before hkcu_before
  files_before=$(e2e_prefix_files)
  hkcu_before=$(e2e_prefix_hkcu)

  e2e_check "the older version installs silently" e2e_run_setup "$old_setup" /S
  local programs=$E2E_PROFILE/AppData/Local/Programs/Quorvenda data=$HOME/Quorvenda
  local programs_win="$E2E_PROFILE_WIN\\AppData\\Local\\Programs\\Quorvenda"
  local data_win="$E2E_PROFILE_WIN\\Documents\\Quorvenda"
  local menu=$E2E_PROFILE/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs startup
  # Windows names are case-blind; Wine's prefix calls it StartUp.
  startup=$(find "$menu" -maxdepth 1 -iname startup)
  e2e_check "the prefix has a Startup folder" [ -d "$startup" ]
  local file
  for file in quorvenda.exe readme.txt uninstall.exe; do
    e2e_check "$file in the user's programs folder" [ -f "$programs/$file" ]
  done
  for file in quorvendadata1.txt quorvendacolor.ini; do
    e2e_check "Documents\\Quorvenda holds the sample $file" cmp -s "$stage/$file" "$data/$file"
  done
  e2e_check "a Start-menu shortcut starts the program in the data folder" \
    [ "$(e2e_shortcut "$menu/Quorvenda.lnk")" = "$programs_win\\quorvenda.exe|$data_win|" ]
  e2e_check "no sign-in shortcut unless asked for" [ ! -e "$startup/Quorvenda.lnk" ]
  e2e_check "the uninstall entry can be read" e2e_read_uninstall_entry
  e2e_check "the uninstall entry gives the older version" [ "$(e2e_uninstall_value DisplayVersion)" = 2.0.0.1 ]

  # The user makes the events their own; an upgrade must keep them.
  e2e_write_sjis "$data/quorvendadata1.txt" "$E2E_EVENT_NAME" 1 1 2027 1 1
  cp "$data/quorvendadata1.txt" "$E2E_WORK/edited.txt"
  e2e_check "$version installs over it silently, the sign-in shortcut asked for" \
    e2e_run_setup "$setup" /S /AUTOSTART=1
  e2e_check "the program is the new one, in the same place" cmp -s "$E2E_WORK/quorvenda.exe" "$programs/quorvenda.exe"
  e2e_check "the edited event file is kept" cmp -s "$E2E_WORK/edited.txt" "$data/quorvendadata1.txt"
  e2e_check "the sample colour file is kept" cmp -s "$stage/quorvendacolor.ini" "$data/quorvendacolor.ini"
  e2e_check "the new uninstall entry can be read" e2e_read_uninstall_entry
  local row name want
  local entry=(
    "DisplayName|Quorvenda"
    "DisplayVersion|$version"
    "Publisher|Quorvenda"
    "DisplayIcon|$programs_win\\quorvenda.exe,0"
    "InstallLocation|$programs_win"
    "UninstallString|\"$programs_win\\uninstall.exe\""
    "QuietUninstallString|\"$programs_win\\uninstall.exe\" /S"
  )
  for row in "${entry[@]}"; do
    IFS='|' read -r name want <<<"$row"
    e2e_check "Apps & features: $name is $want" [ "$(e2e_uninstall_value "$name")" = "$want" ]
  done
  local size_kb
  size_kb=$(($(du -skL --apparent-size "$programs" | cut -f1)))
  e2e_check "Apps & features: the size is the program folder's ($size_kb KB)" \
    [ $(($(e2e_uninstall_value EstimatedSize))) -ge $((size_kb * 9 / 10)) ]

  # The clock as the shortcut starts it, at sign-in or from the menu.
  local shortcut target folder shot hand
  for shortcut in "$startup/Quorvenda.lnk" "$menu/Quorvenda.lnk"; do
    e2e_check "${shortcut#"$menu/"} starts the program in the data folder" \
      [ "$(e2e_shortcut "$shortcut")" = "$programs_win\\quorvenda.exe|$data_win|" ]
  done
  IFS='|' read -r target folder _ <<<"$(e2e_shortcut "$startup/Quorvenda.lnk")"
  e2e_start_faked_exe "$(e2e_unix_path "$target")" "$(e2e_unix_path "$folder")" \
    FAKETIME="2026-12-07 12:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1
  e2e_wait_main_window >/dev/null
  e2e_client_rect
  e2e_wait_slots installed-clock 1
  hand=$(e2e_hand_colour "$data/quorvendacolor.ini")
  shot=$E2E_WORK/installed-clock.png
  e2e_check "the clock texts are in the data folder's hand colour #$hand" \
    [ "$(e2e_count_colour "$shot" $((CLIENT_W / 2)) $((CLIENT_H - 60)) $((CLIENT_W / 2)) 60 "$hand")" -ge 20 ]
  e2e_stop_program

  # The sign-in choice: a switch sets it, an install without one keeps it.
  local switches=(
    "/AUTOSTART=1|present"
    "|present"
    "/AUTOSTART=0|absent"
    "|absent"
  )
  local switch state
  for row in "${switches[@]}"; do
    IFS='|' read -r switch state <<<"$row"
    e2e_check "installed again with '$switch'" e2e_run_setup "$setup" /S ${switch:+"$switch"}
    if [ "$state" = present ]; then
      e2e_check "the sign-in shortcut is there" [ -f "$startup/Quorvenda.lnk" ]
    else
      e2e_check "no sign-in shortcut" [ ! -e "$startup/Quorvenda.lnk" ]
    fi
  done
  e2e_check "a sign-in switch other than 1 or 0 is refused" e2e_refused e2e_run_setup "$setup" /S /AUTOSTART=yes
  e2e_check "the sign-in shortcut back on for the uninstall" e2e_run_setup "$setup" /S /AUTOSTART=1

  e2e_check "the uninstaller runs silently" e2e_run_setup "$programs/uninstall.exe" /S
  local added
  added=$(LC_ALL=C comm -13 <(echo "$files_before") <(e2e_prefix_files))
  e2e_log "files added by install and uninstall: $(echo "$added" | paste -sd ' ')"
  e2e_check "the uninstall removed everything else it wrote" \
    [ -z "$(LC_ALL=C comm -23 <(echo "$files_before") <(e2e_prefix_files))" ]
  e2e_check "the data folder and its two files stay, and nothing else" \
    [ "$added" = "$(printf 'home/Quorvenda%s\n' '' /quorvendacolor.ini /quorvendadata1.txt)" ]
  e2e_check "the edited event file is untouched" cmp -s "$E2E_WORK/edited.txt" "$data/quorvendadata1.txt"
  e2e_check "HKCU is as before the install" [ "$(e2e_prefix_hkcu)" = "$hkcu_before" ]
}
e2e_test test_installer_installs_for_the_user_upgrades_in_place_and_leaves_only_the_data

# e2e_glyph_variety SHOT X Y WIDTH HEIGHT: the different ink columns of the
# text lines in the rectangle (tests/e2e/lib/glyph_variety.py).
e2e_glyph_variety() {
  "$E2E_CONVERT" "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -threshold 50% -compress none "$1.pbm" &&
    python3 "$E2E_SOURCE_ROOT/tests/e2e/lib/glyph_variety.py" "$1.pbm"
}

# The first page has drawn its texts as glyphs: its screenshot right of the
# side picture (the left third of the page) holds enough different columns.
_e2e_wizard_drawn_as_glyphs() {
  e2e_screenshot "$E2E_WORK/wizard.png"
  E2E_LAST_VARIETY=$(e2e_glyph_variety "$E2E_WORK/wizard.png" $((CLIENT_W / 3)) 0 $((CLIENT_W * 2 / 3)) "$CLIENT_H")
  [ "$E2E_LAST_VARIETY" -ge "$E2E_GLYPH_VARIETY_MIN" ]
}

test_installer_wizard_shows_japanese_glyphs_under_code_page_1252() {
  local setup
  setup=$(e2e_installer)
  # The wizard writes nothing before its last page: the run's prefix does.
  e2e_use_locale C.UTF-8
  e2e_start_exe "$setup" "$E2E_WORK"
  e2e_wait_window "^$E2E_SETUP_CAPTION\$" 30 >/dev/null
  e2e_check "the welcome text reads right as Unicode" \
    grep -qF "月と日の針で予定までの日数を示すデスクトップ時計" <(e2e_dialog_text "$E2E_SETUP_CAPTION")
  local rect
  rect=$(e2e_win_helper client-rect "${setup##*/}" | tr -d '\r') || e2e_fail "client-rect ${setup##*/}"
  # shellcheck disable=SC2034 # CLIENT_X and CLIENT_Y: where e2e_screenshot crops
  read -r CLIENT_X CLIENT_Y CLIENT_W CLIENT_H <<<"$rect"
  E2E_LAST_VARIETY=0
  e2e_wait_for 20 _e2e_wizard_drawn_as_glyphs ||
    e2e_fail "the first page's texts show $E2E_LAST_VARIETY different columns (boxes?), fewer than $E2E_GLYPH_VARIETY_MIN"
  e2e_log "ok: the first page's texts are drawn as glyphs ($E2E_LAST_VARIETY different columns)"
}
e2e_test test_installer_wizard_shows_japanese_glyphs_under_code_page_1252
