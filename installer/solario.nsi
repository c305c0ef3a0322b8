; The setup program of ソラリオ for UT-750: the program, its guide pages and
; the video source filter its display check plays, with an uninstaller.
; CMake passes every path and the target architecture with /D, and the
; generated payload header carries the names and version from the program's
; own version resource.

!macro RequireDefine name
  !ifndef ${name}
    !error "${name} is not defined: build the installer through CMake (installer/CMakeLists.txt)"
  !endif
!macroend
!insertmacro RequireDefine TARGET_ARCH
!insertmacro RequireDefine APP_EXE
!insertmacro RequireDefine FILTER_DLL
!insertmacro RequireDefine PROGRAM_ICON
!insertmacro RequireDefine WIZARD_BITMAP
!insertmacro RequireDefine HEADER_BITMAP
!insertmacro RequireDefine PAYLOAD_NSH
!insertmacro RequireDefine OUT_FILE

!if "${TARGET_ARCH}" == "amd64"
  Target amd64-unicode
!else if "${TARGET_ARCH}" == "x86"
  Target x86-unicode
!else
  !error "TARGET_ARCH must be x86 or amd64, not ${TARGET_ARCH}"
!endif
Unicode true

!include /CHARSET=UTF8 "${PAYLOAD_NSH}"
!include MUI2.nsh
!include LogicLib.nsh
!include WinVer.nsh
!include WordFunc.nsh
!include /CHARSET=UTF8 "${__FILEDIR__}/texts.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\LumoraSolarioUT750"
!define FILTER_CLASS_KEY "CLSID\{289A8718-002D-4840-8D80-5E066F2DFE78}"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT_NAME}.lnk"
!if "${TARGET_ARCH}" == "amd64"
  !define PRODUCT_PARENT_DIR "$PROGRAMFILES64\Lumora"
!else
  ; A 32-bit setup gets "Program Files (x86)" on 64-bit Windows, and its
  ; registry writes land in the 32-bit view, where 32-bit programs look.
  !define PRODUCT_PARENT_DIR "$PROGRAMFILES\Lumora"
!endif

; Exit codes, each with one meaning; the README lists them. 1 and 2 are
; NSIS's own (the user cancelled; the setup stopped for a reason of NSIS's),
; so ours start at 3, and every stop of ours sets its code before it stops.
!define EXIT_PROGRAM_RUNNING 3
!define EXIT_NOT_ADMIN 4
!define EXIT_UNSUPPORTED_WINDOWS 5
!define EXIT_NEWER_INSTALLED 6
!define EXIT_OLD_UNINSTALL_FAILED 7
!define EXIT_REGISTER_FAILED 8
!define EXIT_NOT_INSTALLED_HERE 9

Name "${PRODUCT_NAME}"
OutFile "${OUT_FILE}"
InstallDir "${PRODUCT_PARENT_DIR}\Solario"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT_PUBLISHER}"
; A file that cannot be replaced is never skipped: the box offers only
; 再試行 and キャンセル, and a silent setup stops.
AllowSkipFiles off

; The folder and version of the installation the entry names, if any.
Var InstalledDir
Var InstalledVersion

!define MUI_ICON "${PROGRAM_ICON}"
!define MUI_UNICON "${PROGRAM_ICON}"
!define MUI_ABORTWARNING
; The product's own pictures, drawn by tools/art/draw_installer_pictures.py.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${HEADER_BITMAP}"
; The details list is shown for the user to read: stay on it until [次へ].
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_UNFINISHPAGE_NOAUTOCLOSE

!define MUI_WELCOMEPAGE_TITLE "${TEXT_WELCOME_TITLE}"
!define MUI_WELCOMEPAGE_TEXT "${TEXT_WELCOME}"
!insertmacro MUI_PAGE_WELCOME
; An upgrade goes where the program is; offering another folder would make
; a second copy.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderPageOnUpgrade
!define MUI_PAGE_HEADER_SUBTEXT "${TEXT_DIRECTORY_SUBTITLE}"
!define MUI_DIRECTORYPAGE_TEXT_TOP "${TEXT_DIRECTORY_TOP}"
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "${TEXT_DIRECTORY_DESTINATION}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "${TEXT_FINISH_TITLE}"
!define MUI_FINISHPAGE_TEXT "${TEXT_FINISH}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "${TEXT_FINISH_RUN}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartInstalledProgram
!insertmacro MUI_PAGE_FINISH

!define MUI_PAGE_HEADER_TEXT "${TEXT_UNINSTALL_TITLE}"
!define MUI_PAGE_HEADER_SUBTEXT "${TEXT_UNINSTALL_SUBTITLE}"
!define MUI_UNCONFIRMPAGE_TEXT_TOP "${TEXT_UNINSTALL_CONFIRM}"
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_PAGE_HEADER_TEXT "${TEXT_UNINSTALLING_TITLE}"
!define MUI_PAGE_HEADER_SUBTEXT "${TEXT_UNINSTALLING_SUBTITLE}"
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "${TEXT_UNINSTALL_DONE_TITLE}"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "${TEXT_UNINSTALL_DONE_SUBTITLE}"
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "${TEXT_UNINSTALL_ABORT_TITLE}"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "${TEXT_UNINSTALL_ABORT_SUBTITLE}"
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "${TEXT_UNINSTALL_FINISHED_TITLE}"
!define MUI_FINISHPAGE_TEXT "${TEXT_UNINSTALL_FINISHED}"
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro JapaneseWording

VIProductVersion "${PRODUCT_VERSION}"
VIFileVersion "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PRODUCT_PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${TEXT_SETUP_DESCRIPTION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "${PRODUCT_COPYRIGHT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "OriginalFilename" "SolarioSetup.exe"

; Only the files named here go: a folder the user filled keeps the rest.
!macro RemoveInstalledFiles
  Delete "$INSTDIR\qorChecker.exe"
  Delete "$INSTDIR\ball_source.dll"
  !insertmacro RemoveGuidePages
  RMDir "$INSTDIR\GUIDE"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} "$INSTDIR" == "${PRODUCT_PARENT_DIR}\Solario"
    RMDir "${PRODUCT_PARENT_DIR}"
  ${EndIf}
!macroend

; The checks that the setup and the uninstaller share, once for each: the
; uninstaller's functions carry the prefix "un.".
!macro DefineSharedChecks un
  ; A running copy shows its window or holds its single-instance mutex. The
  ; mutex is only opened to see it is there and closed at once: the program
  ; refuses to start while any handle to it is open.
  Function ${un}IsProgramRunning
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 <> 0
      Push 1
      Return
    ${EndIf}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${SINGLE_INSTANCE_MUTEX}") p.r0'
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
      Push 1
      Return
    ${EndIf}
    Push 0
  FunctionEnd

  ; Asks to close the program until it is closed. Leaves 0 on the stack
  ; when it is, 1 when the user cancels; a silent run cancels at once.
  Function ${un}WaitForProgramClosed
    ${Do}
      Call ${un}IsProgramRunning
      Pop $0
      ${If} $0 == 0
        Push 0
        Return
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${TEXT_PROGRAM_RUNNING}" /SD IDCANCEL IDRETRY retry
      Push 1
      Return
      retry:
    ${Loop}
  FunctionEnd

  ; Without UAC, or from a standard account, the work would only meet
  ; write errors; one sentence says why before anything changes.
  Function ${un}CheckAdministrator
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "${TEXT_NOT_ADMIN}" /SD IDOK
      SetErrorLevel ${EXIT_NOT_ADMIN}
      Quit
    ${EndIf}
  FunctionEnd

  Function ${un}StopIfProgramRunning
    Call ${un}WaitForProgramClosed
    Pop $0
    ${If} $0 != 0
      SetErrorLevel ${EXIT_PROGRAM_RUNNING}
      Quit
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DefineSharedChecks ""
!insertmacro DefineSharedChecks "un."

; The Windows the program itself accepts: Vista or 7, not a server edition.
; Anything else would install, register, and only then be refused by the
; program, so the setup refuses first, in the program's own words.
Function CheckWindows
  ${WinVerGetMajor} $0
  ${WinVerGetMinor} $1
  ${If} ${IsNT}
  ${AndIf} $0 = 6
  ${AndIf} $1 <= 1
  ${AndIfNot} ${IsServerOS}
    Return
  ${EndIf}
  MessageBox MB_OK|MB_ICONSTOP "${TEXT_UNSUPPORTED_OS}" /SD IDOK
  SetErrorLevel ${EXIT_UNSUPPORTED_WINDOWS}
  Quit
FunctionEnd

Function .onInit
  SetShellVarContext all
!if "${TARGET_ARCH}" == "amd64"
  SetRegView 64
!endif
  Call CheckWindows
  Call CheckAdministrator
  Call StopIfProgramRunning

  ; An installed copy decides the folder. A newer one is kept unless the
  ; user asks for the older; a silent setup never replaces it.
  ReadRegStr $InstalledDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $InstalledVersion HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $InstalledDir != ""
    ${If} $InstalledVersion != ""
      ${VersionCompare} "$InstalledVersion" "${PRODUCT_VERSION}" $0
      ${If} $0 == 1
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "${TEXT_NEWER_INSTALLED}" /SD IDNO IDYES replace
        SetErrorLevel ${EXIT_NEWER_INSTALLED}
        Quit
        replace:
      ${EndIf}
    ${EndIf}
    StrCpy $INSTDIR $InstalledDir
  ${EndIf}
FunctionEnd

Function SkipFolderPageOnUpgrade
  ${If} $InstalledDir != ""
    Abort
  ${EndIf}
FunctionEnd

; Run against a folder that holds no installation of ours, the uninstaller
; would drop the real installation's entry and shortcut and leave its files.
Function un.onInit
  SetShellVarContext all
!if "${TARGET_ARCH}" == "amd64"
  SetRegView 64
!endif
  Call un.CheckAdministrator
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${IfNot} ${FileExists} "$INSTDIR\qorChecker.exe"
  ${AndIf} $0 != "$INSTDIR"
    MessageBox MB_OK|MB_ICONSTOP "${TEXT_NOT_INSTALLED_HERE}" /SD IDOK
    SetErrorLevel ${EXIT_NOT_INSTALLED_HERE}
    Quit
  ${EndIf}
  Call un.StopIfProgramRunning
FunctionEnd

; This setup runs elevated, and whatever it starts itself would too: as
; the administrator whose password a standard user typed, even. Explorer
; started with the Start-menu shortcut hands it to the desktop's shell,
; which starts it as the logged-on user, in its own folder beside GUIDE.
Function StartInstalledProgram
  Exec '"$WINDIR\explorer.exe" "${SHORTCUT}"'
FunctionEnd

Section "-Program" SectionProgram
  ; The user may have started the program while the pages were open.
  Call WaitForProgramClosed
  Pop $0
  ${If} $0 != 0
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Abort
  ${EndIf}

  ; The old version's own uninstaller knows its files, including those this
  ; version no longer has. Run in place, it returns when it is done; while
  ; it fails, the old version stays as it was and nothing new is copied.
  ${If} $InstalledDir != ""
  ${AndIf} ${FileExists} "$INSTDIR\uninstall.exe"
    DetailPrint "${TEXT_REMOVING_OLD}"
    ClearErrors
    ExecWait '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR' $0
    ${If} ${Errors}
    ${OrIf} $0 != 0
      DetailPrint "${TEXT_OLD_UNINSTALL_FAILED}"
      MessageBox MB_OK|MB_ICONSTOP "${TEXT_OLD_UNINSTALL_FAILED}" /SD IDOK
      SetErrorLevel ${EXIT_OLD_UNINSTALL_FAILED}
      Abort
    ${EndIf}
    ; Running from its own folder, it could not delete itself.
    Delete "$INSTDIR\uninstall.exe"
  ${EndIf}

  ; Until every file is in, a stop is a file that a running copy holds.
  SetErrorLevel ${EXIT_PROGRAM_RUNNING}
  SetOutPath "$INSTDIR"
  File "/oname=qorChecker.exe" "${APP_EXE}"
  File "/oname=ball_source.dll" "${FILTER_DLL}"
  SetOutPath "$INSTDIR\GUIDE"
  !insertmacro InstallGuidePages
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Without the filter the display check cannot build its graph, so a
  ; setup that could not register it must not report success.
  ClearErrors
  RegDLL "$INSTDIR\ball_source.dll"
  ${If} ${Errors}
    DetailPrint "${TEXT_REGISTER_FAILED}"
    !insertmacro RemoveInstalledFiles
    MessageBox MB_OK|MB_ICONSTOP "${TEXT_REGISTER_FAILED}" /SD IDOK
    SetErrorLevel ${EXIT_REGISTER_FAILED}
    Abort
  ${EndIf}

  ; The shortcut starts the program in its own folder, beside GUIDE.
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\qorChecker.exe" "" "$INSTDIR\qorChecker.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT_PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qorChecker.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SectionProgram} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  SetErrorLevel 0
SectionEnd

; A running program holds its file, and a check holds the filter's: a file
; that cannot be opened for writing cannot be deleted either. Takes a path
; from the stack and leaves 1 there when the file is held.
Function un.IsFileHeld
  Exch $1
  Push $0
  StrCpy $0 0
  ${If} ${FileExists} $1
    ClearErrors
    FileOpen $0 $1 a
    ${If} ${Errors}
      StrCpy $0 1
    ${Else}
      FileClose $0
      StrCpy $0 0
    ${EndIf}
  ${EndIf}
  StrCpy $1 $0
  Pop $0
  Exch $1
FunctionEnd

; Leaves 1 on the stack when the folder holds anything besides what this
; uninstaller removes, such as a report the user saved there; the
; uninstaller itself stays when it was run in place.
Function un.FolderHoldsOtherFiles
  StrCpy $2 0
  FindFirst $0 $1 "$INSTDIR\*"
  ${DoWhile} $1 != ""
    ${If} $1 != "."
    ${AndIf} $1 != ".."
    ${AndIf} $1 != "uninstall.exe"
      StrCpy $2 1
      ${Break}
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
  Push $2
FunctionEnd

Section "Uninstall"
  ; The program and the filter go first. While either is held nothing has
  ; changed, and the entry and the shortcut still lead to a working copy.
  ${Do}
    Push "$INSTDIR\qorChecker.exe"
    Call un.IsFileHeld
    Pop $3
    Push "$INSTDIR\ball_source.dll"
    Call un.IsFileHeld
    Pop $4
    ${If} "$3$4" == "00"
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${TEXT_PROGRAM_RUNNING}" /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Abort
    retry:
  ${Loop}

  ; The entry, the shortcut and the filter's class belong to the copy the
  ; entry names; another copy's uninstaller leaves them to that copy.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCpy $5 0
  ${If} $0 == "$INSTDIR"
    StrCpy $5 1
    ClearErrors
    UnRegDLL "$INSTDIR\ball_source.dll"
    ${If} ${Errors}
      ; A missing or broken DLL cannot unregister itself; drop its class key
      ; only while it still names this folder's DLL, not another copy's.
      ReadRegStr $0 HKCR "${FILTER_CLASS_KEY}\InprocServer32" ""
      ${If} $0 == "$INSTDIR\ball_source.dll"
        DeleteRegKey HKCR "${FILTER_CLASS_KEY}"
      ${EndIf}
    ${EndIf}
  ${EndIf}

  ClearErrors
  Delete "$INSTDIR\qorChecker.exe"
  Delete "$INSTDIR\ball_source.dll"
  ${If} ${Errors}
    ; Held after all, since the look above: the filter goes back on record
    ; while its DLL is still there, and the entry stays.
    ${If} $5 == 1
    ${AndIf} ${FileExists} "$INSTDIR\ball_source.dll"
      RegDLL "$INSTDIR\ball_source.dll"
    ${EndIf}
    MessageBox MB_OK|MB_ICONEXCLAMATION "${TEXT_PROGRAM_RUNNING}" /SD IDOK
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Abort
  ${EndIf}

  !insertmacro RemoveInstalledFiles
  ${If} $5 == 1
    Delete "${SHORTCUT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
  Call un.FolderHoldsOtherFiles
  Pop $0
  ${If} $0 == 1
    DetailPrint "${TEXT_FOLDER_KEPT}"
    MessageBox MB_OK|MB_ICONINFORMATION "${TEXT_FOLDER_KEPT}" /SD IDOK
  ${EndIf}
  DetailPrint "${TEXT_KEY_CONTAINER_KEPT}"
  SetErrorLevel 0
SectionEnd
