; The Windows installer: a per-user install in Japanese, built on Linux with
; Debian's makensis (packaging/installer/build-installer.sh passes the defines).
;
;   VERSION  the project's version, four numbers (2.0.6.2)
;   STAGE    the folder holding quorvenda.exe, readme.txt and the two samples
;   ICON     the program's icon (sun_moon.ico)
;   OUTFILE  where the installer goes
;
; What it writes, all of it the user's own (no administrator prompt):
;   %LOCALAPPDATA%\Programs\Quorvenda   the program, its readme, the uninstaller
;   Documents\Quorvenda                 the two data files, copied from the
;                                       samples only when neither is there;
;                                       never overwritten, never removed
;   Start menu\Programs\Quorvenda.lnk   starts the clock in the data folder
;   Startup\Quorvenda.lnk               the same, at sign-in, when chosen
;   HKCU\...\Uninstall\Quorvenda         the entry in Apps & features
;
; Silent: setup.exe /S [/AUTOSTART=1|0]; without /AUTOSTART an upgrade keeps
; the sign-in shortcut as it is and a first install makes none.
; Uninstall: uninstall.exe /S.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
; The same sources give the same installer: no build-machine file times in it.
SetDateSave off
SetCompressor /SOLID lzma
XPStyle on

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT Quorvenda
!define PUBLISHER Quorvenda
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvenda"
!define DATA_FOLDER "$DOCUMENTS\Quorvenda"
!define SHORTCUT_NAME "Quorvenda.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quorvenda"
; An upgrade goes where the first install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText " "

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (C) Quorvenda"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartClock
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
; Texts of our own, in Japanese (below, after the language).
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_COMPONENTSPAGE_TEXT_TOP "$(ComponentsText)"

; Every page gets its Japanese font when it shows (see JapaneseFonts).
!macro JapanesePage PAGE
  !define MUI_PAGE_CUSTOMFUNCTION_SHOW JapaneseFontsOnPage
  !insertmacro MUI_PAGE_${PAGE}
!macroend
!macro JapaneseUnPage PAGE
  !define MUI_PAGE_CUSTOMFUNCTION_SHOW un.JapaneseFontsOnPage
  !insertmacro MUI_UNPAGE_${PAGE}
!macroend
!insertmacro JapanesePage WELCOME
!insertmacro JapanesePage COMPONENTS
!insertmacro JapanesePage INSTFILES
!insertmacro JapanesePage FINISH
!insertmacro JapaneseUnPage CONFIRM
!insertmacro JapaneseUnPage INSTFILES
!insertmacro MUI_LANGUAGE Japanese

LangString WelcomeText ${LANG_JAPANESE} "月と日の針で予定までの日数を示すデスクトップ時計 ${PRODUCT} ${VERSION} をインストールします。$\r$\n$\r$\n管理者の権限は要りません。プログラムはこのユーザーの「$INSTDIR」に入り、予定ファイルと色の設定ファイルは「ドキュメント\Quorvenda」に置かれます（すでにあるファイルは書き換えません）。$\r$\n$\r$\n［次へ］をクリックして続けてください。"
LangString ProgramSection ${LANG_JAPANESE} "Quorvenda（プログラムとスタート メニュー）"
LangString AutostartSection ${LANG_JAPANESE} "サインインしたときに時計を起動する"
LangString ComponentsText ${LANG_JAPANESE} "サインインしたときに時計を起動するときは、チェックを付けてください。あとから設定し直すには、もう一度インストールします。"

; The wizard's texts are Unicode, but a dialog font named in a template has
; the default character set: where the named Japanese face is missing (a
; non-Japanese Windows without its Japanese fonts, Wine under code page
; 1252) the face chosen for the system's code page shows every Japanese
; character as a box. Each control's font is made again with the Japanese
; character set (its size, weight and face otherwise kept), as the clock
; makes its own texts' font, so a Japanese face draws them.
!define LOGFONT_SIZE 92
!define SHIFTJIS_CHARSET 128
!macro JapaneseFonts UN
  ; JapaneseFonts WINDOW on the stack: every control under WINDOW, at any depth.
  Function ${UN}JapaneseFonts
    Exch $R0
    Push $R1
    Push $R2
    Push $R3
    Push $R4
    StrCpy $R1 0
    ${Do}
      FindWindow $R1 "" "" $R0 $R1
      ${IfThen} $R1 = 0 ${|} ${ExitDo} ${|}
      SendMessage $R1 ${WM_GETFONT} 0 0 $R2
      ${If} $R2 <> 0
        System::Alloc ${LOGFONT_SIZE}
        Pop $R3
        System::Call "gdi32::GetObjectW(p R2, i ${LOGFONT_SIZE}, p R3) i .R4"
        System::Call "*$R3(i, i, i, i, i, &i1, &i1, &i1, &i1 .R4)"
        ${If} $R4 <> ${SHIFTJIS_CHARSET}
          System::Call "*$R3(i, i, i, i, i, &i1, &i1, &i1, &i1 ${SHIFTJIS_CHARSET})"
          System::Call "gdi32::CreateFontIndirectW(p R3) p .R4"
          SendMessage $R1 ${WM_SETFONT} $R4 1
        ${EndIf}
        System::Free $R3
      ${EndIf}
      Push $R1
      Call ${UN}JapaneseFonts
    ${Loop}
    Pop $R4
    Pop $R3
    Pop $R2
    Pop $R1
    Pop $R0
  FunctionEnd
  Function ${UN}JapaneseFontsOnPage
    Push $HWNDPARENT
    Call ${UN}JapaneseFonts
  FunctionEnd
!macroend
!insertmacro JapaneseFonts ""
!insertmacro JapaneseFonts "un."

; The clock reads its two files from its current folder: every shortcut
; starts it in the data folder.
!macro ClockShortcut LINK
  SetOutPath "${DATA_FOLDER}"
  CreateShortcut "${LINK}" "$INSTDIR\quorvenda.exe" "" "$INSTDIR\quorvenda.exe" 0
!macroend

Section "$(ProgramSection)" ProgramSection
  SectionIn RO
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "${STAGE}\quorvenda.exe"
  File "${STAGE}\readme.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The user's events are theirs: the samples go in only when neither file
  ; is there, and never over one.
  CreateDirectory "${DATA_FOLDER}"
  ${IfNot} ${FileExists} "${DATA_FOLDER}\quorvendadata1.txt"
  ${AndIfNot} ${FileExists} "${DATA_FOLDER}\quorvendacolor.ini"
    SetOutPath "${DATA_FOLDER}"
    SetOverwrite off
    File "${STAGE}\quorvendadata1.txt"
    File "${STAGE}\quorvendacolor.ini"
    SetOverwrite on
  ${EndIf}

  !insertmacro ClockShortcut "$SMPROGRAMS\${SHORTCUT_NAME}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorvenda.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Off unless chosen; unticked on an upgrade, it removes the shortcut an
; earlier install made (see the section below).
Section /o "$(AutostartSection)" AutostartSection
  !insertmacro ClockShortcut "$SMSTARTUP\${SHORTCUT_NAME}"
SectionEnd

Section "-sign-in shortcut off"
  ${IfNot} ${SectionIsSelected} ${AutostartSection}
    Delete "$SMSTARTUP\${SHORTCUT_NAME}"
  ${EndIf}
SectionEnd

Function .onInit
  ; An upgrade starts with the sign-in choice as the last install left it.
  ${If} ${FileExists} "$SMSTARTUP\${SHORTCUT_NAME}"
    !insertmacro SelectSection ${AutostartSection}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART=" $1
  ${IfNot} ${Errors}
    ${If} $1 == 1
      !insertmacro SelectSection ${AutostartSection}
    ${ElseIf} $1 == 0
      !insertmacro UnselectSection ${AutostartSection}
    ${Else}
      MessageBox MB_ICONSTOP|MB_OK "/AUTOSTART= には 1 か 0 を指定してください。" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function StartClock
  SetOutPath "${DATA_FOLDER}"
  Exec '"$INSTDIR\quorvenda.exe"'
FunctionEnd

; Removes what the install made and nothing of the user's data folder.
Section Uninstall
  Delete "$SMPROGRAMS\${SHORTCUT_NAME}"
  Delete "$SMSTARTUP\${SHORTCUT_NAME}"
  Delete "$INSTDIR\quorvenda.exe"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The user's programs folder, if the install was the one that made it.
  RMDir "$LOCALAPPDATA\Programs"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The list of uninstall entries, if this one was its last.
  DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd
