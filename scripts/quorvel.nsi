; The Quorvel installer: a per-user install into the user's own programs
; folder (no administrator rights; the folder stays writable because the
; program keeps TIVRA.INI beside itself), a Start-menu shortcut, an optional
; start at logon, an entry in the list of installed programs and an
; uninstaller. Installing over an installed copy keeps TIVRA.INI and first
; asks a running copy to end; a silent upgrade starts the new copy again, so
; that alarms go on firing, and an interactive one offers to on its last page.
;
; Built by scripts/package.sh, which defines:
;   VERSION          the version text, e.g. 2.02
;   VERSION_NUMBERS  the same as four numbers, e.g. 2.2.0.0
;   STAGE            the folder holding the files to install
;   FILE_LIST        the uninstaller's lines that remove exactly those files
;   ICON             the program's icon
;   OUTFILE          the installer to write
; and, for a test build of the 64-bit program, TARGET (amd64-unicode).

Unicode true
!ifdef TARGET
Target ${TARGET}
!endif
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "Quorvel"
!define EXE "quorvel.exe"
!define GUIDE "TIVRA.HTM"
!define SETTINGS "TIVRA.INI"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHORTCUT "${PRODUCT}.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" ""

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\${GUIDE}"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the user guide"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Access to a running copy's process: its file name, and waiting for its end
; (PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE).
!define PROCESS_ACCESS 0x100410
!define SMTO_ABORTIFHUNG 2
; The alarm list, which tells the main window from the program's other
; windows of the same title.
!define ALARM_LIST 3017

; 1 once a running copy of the installed program has been ended.
Var WasRunning

; Asks every running copy of the installed program to end, as its Exit
; button would, and waits until its process has gone: the program's file can
; be neither replaced nor removed while it runs. A copy is found by its main
; window, a dialog titled "Quorvel" that holds the alarm list, whose process
; runs this folder's quorvel.exe; copies run from other folders are left
; alone. A copy with a dialog open answers that it is busy, and the user is
; asked to close it; a silent run gives up instead.
!macro CLOSE_RUNNING_COPIES PREFIX
Function ${PREFIX}CloseRunningCopies
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  System::Call 'user32::RegisterWindowMessage(t "Quorvel.ExitRequest") i .r0'
  StrCpy $6 "$INSTDIR\${EXE}"
  System::Call 'kernel32::GetLongPathName(t r6, t .r4, i ${NSIS_MAX_STRLEN}) i .r5'
  ${If} $5 <> 0
    StrCpy $6 $4
  ${EndIf}
  StrCpy $1 0
  ${Do}
    System::Call 'user32::FindWindowEx(p 0, p r1, t "#32770", t "${PRODUCT}") p .r1'
    ${If} $1 P= 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
    System::Call 'kernel32::OpenProcess(i ${PROCESS_ACCESS}, i 0, i r2) p .r3'
    ${If} $3 P= 0
      ${Continue}
    ${EndIf}
    System::Call 'psapi::GetModuleFileNameEx(p r3, p 0, t .r4, i ${NSIS_MAX_STRLEN}) i .r5'
    System::Call 'user32::GetDlgItem(p r1, i ${ALARM_LIST}) p .r2'
    ${If} $5 <> 0
    ${AndIf} $4 == $6
    ${AndIf} $2 P<> 0
      ; The answer is 1 when the copy is going to end; then its end is awaited
      ; (WaitForSingleObject gives 0).
      StrCpy $5 0
      System::Call 'user32::SendMessageTimeout(p r1, i r0, p 0, p 0, i ${SMTO_ABORTIFHUNG}, i 5000, *p .r5)'
      ${If} $5 = 1
        System::Call 'kernel32::WaitForSingleObject(p r3, i 20000) i .r5'
      ${Else}
        StrCpy $5 -1
      ${EndIf}
      ${If} $5 = 0
        StrCpy $WasRunning 1
      ${Else}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
          "${PRODUCT} is still running, or has a window open. Close it, then choose Retry." \
          /SD IDCANCEL IDRETRY retry
        System::Call 'kernel32::CloseHandle(p r3)'
        Abort "${PRODUCT} is still running."
        retry:
      ${EndIf}
      StrCpy $1 0 ; windows have gone: look again from the first one
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r3)'
  ${Loop}
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPIES ""
!insertmacro CLOSE_RUNNING_COPIES "un."

; The shortcuts, the finish page and a silent upgrade start the program in
; its own folder, where it keeps TIVRA.INI.
Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\${EXE}"'
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  Call CloseRunningCopies
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL "" \
    "Alarm scheduler"
SectionEnd

Section "Start ${PRODUCT} when I log on" SecStartup
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMSTARTUP\${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL "" \
    "Alarm scheduler"
SectionEnd

; The entry in the list of installed programs, written last so that its size
; counts every file.
Section "-Registration"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    Delete "$SMSTARTUP\${SHORTCUT}"
  ${EndIf}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  ; Run in place (_?=), the silent uninstaller ends with an error when it
  ; gives up, not at once with 0 as the copy of itself it otherwise runs from.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  ; A copy that ran before a silent upgrade runs again after it: until the
  ; next logon nothing else would start it, and its alarms would not fire.
  ${If} ${Silent}
  ${AndIf} $WasRunning = 1
    Call StartProgram
  ${EndIf}
SectionEnd

; An upgrade keeps the user's earlier choice about starting at logon.
Function .onInit
  StrCpy $WasRunning 0
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIfNot} ${FileExists} "$SMSTARTUP\${SHORTCUT}"
    !insertmacro UnselectSection ${SecStartup}
  ${EndIf}
FunctionEnd

; Run in place (_?=, as the registered silent command does), the uninstaller
; first ends the running copies of the program, so that giving up ends this
; process with an error and nothing removed. Then it goes on from a copy of
; itself in the temporary folder, as it always does without _?=: only from
; there can it remove its own file.
Function un.onInit
  ${If} $EXEDIR == $INSTDIR
    SetErrorLevel 2
    Call un.CloseRunningCopies
    GetTempFileName $0
    CopyFiles /SILENT "$EXEPATH" $0
    ${If} ${Silent}
      Exec '"$0" /S _?=$INSTDIR'
    ${Else}
      Exec '"$0" _?=$INSTDIR'
    ${EndIf}
    SetErrorLevel 0
    Quit
  ${EndIf}
FunctionEnd

; Removes the installed files and shortcuts. The user's alarms and settings
; in TIVRA.INI go only when the user says so; a silent uninstall keeps them,
; as it keeps anything else the user put into the folder.
Section "Uninstall"
  Call un.CloseRunningCopies
  !include "${FILE_LIST}"
  Delete "$INSTDIR\${UNINSTALLER}"
  Delete "$SMPROGRAMS\${SHORTCUT}"
  Delete "$SMSTARTUP\${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} ${FileExists} "$INSTDIR\${SETTINGS}"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Delete your alarms and settings too ($INSTDIR\${SETTINGS})?" /SD IDNO IDNO keep
    Delete "$INSTDIR\${SETTINGS}"
    keep:
  ${EndIf}
  RMDir "$INSTDIR"
SectionEnd
