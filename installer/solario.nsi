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

Name "${PRODUCT_NAME}"
OutFile "${OUT_FILE}"
InstallDir "${PRODUCT_PARENT_DIR}\Solario"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT_PUBLISHER}"

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

!define MUI_PAGE_HEADER_SUBTEXT "${TEXT_UNINSTALL_SUBTITLE}"
!define MUI_UNCONFIRMPAGE_TEXT_TOP "${TEXT_UNINSTALL_CONFIRM}"
!insertmacro MUI_UNPAGE_CONFIRM
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

Function .onInit
  SetShellVarContext all
!if "${TARGET_ARCH}" == "amd64"
  SetRegView 64
!endif
FunctionEnd

; Run against a folder that holds no installation of ours, the uninstaller
; would drop the real installation's entry and shortcut and leave its files.
Function un.onInit
  SetShellVarContext all
!if "${TARGET_ARCH}" == "amd64"
  SetRegView 64
!endif
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${IfNot} ${FileExists} "$INSTDIR\qorChecker.exe"
  ${AndIf} $0 != "$INSTDIR"
    MessageBox MB_OK|MB_ICONSTOP "${TEXT_NOT_INSTALLED_HERE}" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

; Started as the shortcut starts it: in its own folder, beside GUIDE.
Function StartInstalledProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\qorChecker.exe"'
FunctionEnd

Section "-Program" SectionProgram
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
SectionEnd

Section "Uninstall"
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
  !insertmacro RemoveInstalledFiles
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DetailPrint "${TEXT_KEY_CONTAINER_KEPT}"
SectionEnd
