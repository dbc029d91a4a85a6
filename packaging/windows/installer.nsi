; The Windows installer of Torvan PC Encoder, made by the target
; torvan_windows_packages:
;   makensis -DVERSION=1.0.0 -DSTAGE=<the zip's folder> -DINCLUDES=<folder of
;            install-files.nsh and uninstall-files.nsh> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> installer.nsi
; For all users under Program Files (administrator) or for the current user
; alone under %LOCALAPPDATA%\Programs (no administrator rights): a page asks,
; or /AllUsers or /CurrentUser says; /S installs without a window.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestLongPathAware true

!define PRODUCT "Torvan PC Encoder"
!define PUBLISHER "Torvan PC Encoder developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TorvanPCEncoder"
!define PROGID "TorvanPCEncoder.ChannelData"
!define START_MENU "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "See README-Windows.txt"

; Per-machine or per-user: MultiUser picks the folder, the registry hive
; (SHCTX) and the Start menu; the uninstaller finds the mode again from the
; hive its Add/Remove Programs entry is in.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; SHCNE_ASSOCCHANGED: Explorer shows the new file type at once.
!macro FileTypesChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

Section "Install"
  !include "${INCLUDES}/install-files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\${PRODUCT}.lnk" "$INSTDIR\torvan-encoder.exe"
  CreateShortcut "${START_MENU}\${PRODUCT} (simulated radio).lnk" \
    "$INSTDIR\torvan-encoder.exe" "--simulated-radio"
  CreateShortcut "${START_MENU}\User guide.lnk" "$INSTDIR\docs\user-guide.html"

  ; .sin files open in the window. Another program's claim on .sin stays its
  ; default; this one is then offered under "Open with".
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "${PRODUCT} channel data"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\torvan-encoder.exe,0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" \
    '"$INSTDIR\torvan-encoder.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\.sin\OpenWithProgids" "${PROGID}" ""
  ReadRegStr $0 SHCTX "Software\Classes\.sin" ""
  ${If} $0 == ""
    WriteRegStr SHCTX "Software\Classes\.sin" "" "${PROGID}"
  ${EndIf}
  !insertmacro FileTypesChanged

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\torvan-encoder.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  !include "${INCLUDES}/uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${START_MENU}\${PRODUCT}.lnk"
  Delete "${START_MENU}\${PRODUCT} (simulated radio).lnk"
  Delete "${START_MENU}\User guide.lnk"
  RMDir "${START_MENU}"

  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegValue SHCTX "Software\Classes\.sin\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.sin\OpenWithProgids"
  ReadRegStr $0 SHCTX "Software\Classes\.sin" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue SHCTX "Software\Classes\.sin" ""
  ${EndIf}
  DeleteRegKey /ifempty SHCTX "Software\Classes\.sin"
  !insertmacro FileTypesChanged

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
