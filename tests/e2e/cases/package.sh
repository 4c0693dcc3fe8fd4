# shellcheck shell=bash
# The release zip as a Windows user gets it (scripts/package.sh): one folder
# with the program, a readme that Notepad on a Japanese Windows shows right,
# and sample data files that the program, unpacked anywhere, reads at once.
# The zip is E2E_PACKAGE_ZIP, or the one that scripts/package.sh left in dist/.

E2E_DIST=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/dist
E2E_PACKAGE_TEXT_FILES=(readme.txt quorvendadata1.txt quorvendacolor.ini)
# A folder as Explorer names a second new one: Japanese, spaces, brackets.
E2E_UNPACK_FOLDER='新しい フォルダー (2)'

e2e_package_zip() {
  if [ -n "${E2E_PACKAGE_ZIP:-}" ]; then
    echo "$E2E_PACKAGE_ZIP"
    return
  fi
  local zips=("$E2E_DIST"/quorvenda-*-win-x64.zip)
  if [ ${#zips[@]} -ne 1 ] || [ ! -f "${zips[0]}" ]; then
    e2e_fail "no single $E2E_DIST/quorvenda-*-win-x64.zip: run scripts/package.sh first"
  fi
  echo "${zips[0]}"
}

# e2e_package_version ZIP: the version its name carries.
e2e_package_version() { basename "$1" | sed -n 's/^quorvenda-\(.*\)-win-x64\.zip$/\1/p'; }

e2e_zip_names() { python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$1"; }

# e2e_unzip ZIP FOLDER: unpacks ZIP into FOLDER (made if need be).
e2e_unzip() { python3 -m zipfile -e "$1" "$2"; }

# Text for Windows users: Shift-JIS, and so not UTF-8 where it has any
# Japanese, with every line ended by CR LF.
e2e_decodes_as_shift_jis() { iconv -f CP932 -t UTF-8 "$1" >/dev/null 2>&1; }
e2e_not_utf8_unless_ascii() {
  ! LC_ALL=C grep -q '[^[:print:][:space:]]' "$1" || ! iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1
}
e2e_crlf_only() {
  local lf cr crlf
  lf=$(tr -cd '\n' <"$1" | wc -c)
  cr=$(tr -cd '\r' <"$1" | wc -c)
  crlf=$(LC_ALL=C grep -c $'\r$' "$1")
  [ "$lf" -gt 0 ] && [ "$lf" -eq "$cr" ] && [ "$crlf" -eq "$lf" ]
}
e2e_line_count_is() { [ "$(tr -cd '\n' <"$1" | wc -c)" -eq "$2" ]; }

# e2e_readme_section README HEADING: the readme's section under "■ HEADING",
# as UTF-8 without CRs.
e2e_readme_section() {
  iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | awk -v h="■ $2" 'index($0, h) == 1 { on = 1; next } /^■/ { on = 0 } on'
}

# e2e_section_names_lines SECTION_TEXT COUNT: the section has a row for each
# line 1 to COUNT ("  N行目  what it holds").
e2e_section_names_lines() {
  local n
  for n in $(seq "$2"); do grep -qE "^ +$n行目 " <<<"$1" || return 1; done
}

test_package_zip_holds_the_program_a_shift_jis_readme_and_the_samples() {
  local zip version folder unpacked file
  zip=$(e2e_package_zip)
  version=$(e2e_package_version "$zip")
  e2e_check "the zip's name carries a version ($zip)" [ -n "$version" ]
  folder=quorvenda-$version
  local expected
  expected=$(printf "$folder/%s\n" "" quorvenda.exe "${E2E_PACKAGE_TEXT_FILES[@]}")
  e2e_check "one folder $folder/ with the program, the readme and the two samples, in this order" \
    [ "$(e2e_zip_names "$zip")" = "$expected" ]
  unpacked=$E2E_WORK/unpacked
  e2e_unzip "$zip" "$unpacked"
  for file in "${E2E_PACKAGE_TEXT_FILES[@]}"; do
    e2e_check "$file decodes as Shift-JIS" e2e_decodes_as_shift_jis "$unpacked/$folder/$file"
    e2e_check "$file is not UTF-8" e2e_not_utf8_unless_ascii "$unpacked/$folder/$file"
    e2e_check "$file ends every line with CR LF" e2e_crlf_only "$unpacked/$folder/$file"
  done
  e2e_check "the event list has 42 lines" e2e_line_count_is "$unpacked/$folder/quorvendadata1.txt" 42
  e2e_check "the colour settings have 5 lines" e2e_line_count_is "$unpacked/$folder/quorvendacolor.ini" 5

  local readme=$unpacked/$folder/readme.txt events colours slot
  events=$(e2e_readme_section "$readme" "予定ファイル quorvendadata1.txt")
  colours=$(e2e_readme_section "$readme" "色の設定ファイル quorvendacolor.ini")
  e2e_check "the readme names the six lines of an event" e2e_section_names_lines "$events" 6
  for slot in 1 2 3 4 5 6 7; do
    e2e_check "the readme names lines $((6 * slot - 5)) to $((6 * slot)) as event $slot" \
      grep -qE "^ +予定$slot（.*） +$((6 * slot - 5))行目～$((6 * slot))行目\$" <<<"$events"
  done
  e2e_check "the readme names the five lines of the colour settings" e2e_section_names_lines "$colours" 5
  e2e_check "the readme gives the version $version" grep -qF "バージョン $version" <(iconv -f CP932 -t UTF-8 "$readme")

  local resources
  resources=$(x86_64-w64-mingw32-windres -i "$unpacked/$folder/quorvenda.exe" -O rc)
  for field in FILEVERSION PRODUCTVERSION; do
    e2e_check "the program's $field is $version" grep -qx " $field ${version//./, }" <<<"$resources"
  done
  for field in FileVersion ProductVersion; do
    e2e_check "the program's $field text is $version" grep -qF "VALUE \"$field\", \"$version\"" <<<"$resources"
  done
}
e2e_build_test test_package_zip_holds_the_program_a_shift_jis_readme_and_the_samples

# The flags and numbers of the data files are ASCII digits in any of their
# encodings here; their bytes are read as they are.

# e2e_text_slots EVENT_LIST: the slots whose countdown line the file switches
# on (line 3 of the slot reads 1), as e2e_shown_slots prints them.
e2e_text_slots() {
  tr -d '\r' <"$1" | LC_ALL=C awk 'NR % 6 == 3 && NR <= 42 && $0 == "1" { printf "%s%d", sep, (NR + 3) / 6; sep = " " }'
}

# e2e_hand_colour COLOUR_SETTINGS: the colour of lines 1 to 3 as rrggbb.
e2e_hand_colour() { tr -d '\r' <"$1" | LC_ALL=C awk 'NR <= 3 { printf "%02x", $0 % 256 }'; }

test_package_unpacked_into_a_japanese_folder_shows_the_sample_events() {
  local zip unpacked app file expected hand shot
  zip=$(e2e_package_zip)
  unpacked=$(e2e_make_folder "$E2E_UNPACK_FOLDER")
  e2e_unzip "$zip" "$unpacked"
  app=$unpacked/quorvenda-$(e2e_package_version "$zip")
  for file in quorvenda.exe quorvendadata1.txt quorvendacolor.ini; do
    e2e_check "$file unpacked" [ -f "$app/$file" ]
  done
  # Started as a double-click in Explorer starts it: in its own folder.
  e2e_start_faked_exe "$app/quorvenda.exe" "$app" FAKETIME="2026-12-07 12:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1
  e2e_wait_main_window >/dev/null
  e2e_client_rect
  expected=$(e2e_text_slots "$app/quorvendadata1.txt")
  e2e_check "the samples switch some countdown lines on" [ -n "$expected" ]
  e2e_wait_slots package-samples "$expected"
  # The clock texts at the bottom right are drawn in the samples' hand colour,
  # not the black of a missing colour file.
  hand=$(e2e_hand_colour "$app/quorvendacolor.ini")
  shot=$E2E_WORK/package-samples.png
  e2e_check "the clock texts are in the samples' hand colour #$hand" \
    [ "$(e2e_count_colour "$shot" $((CLIENT_W / 2)) $((CLIENT_H - 60)) $((CLIENT_W / 2)) 60 "$hand")" -ge 20 ]
  e2e_check "(the samples' hands are not black, the colour of no colour file)" [ "$hand" != 000000 ]
}
e2e_test test_package_unpacked_into_a_japanese_folder_shows_the_sample_events
