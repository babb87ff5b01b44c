; The ZEB installer for 64-bit Windows. scripts/build-windows.sh runs makensis with
;   -DVERSION=<x.y.z> -DSTAGE=<the installed folder> -DOUTFILE=<setup.exe>
;   -DFILES=<install list> -DREMOVALS=<removal list>
; where the two lists, written from the staged files, install exactly those files and remove
; exactly those again (the uninstaller never removes a folder that still holds anything else).
; /S installs or uninstalls silently.

; A 64-bit installer, as the programs it installs (it also runs where Windows has no 32-bit
; layer, as Debian's Wine without wine32).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"

Name "ZEB ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\ZEB"
InstallDirRegKey HKLM "Software\ZEB" "InstallDir"
BrandingText "ZEB ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZEB"
!define MUI_ICON "${STAGE}\zeb.ico"
!define MUI_UNICON "${STAGE}\zeb.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\zeb.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "O ZEB precisa do Windows de 64 bits." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "ZEB"
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\Desinstalar.exe"

    CreateDirectory "$SMPROGRAMS\ZEB"
    CreateShortcut "$SMPROGRAMS\ZEB\ZEB.lnk" "$INSTDIR\zeb.exe" "" "$INSTDIR\zeb.exe" 0
    CreateShortcut "$SMPROGRAMS\ZEB\ZEB - linha de comando (zeb-calc).lnk" "$SYSDIR\cmd.exe" \
        '/K cd /d "$INSTDIR" && zeb-calc.exe --help' "$INSTDIR\zeb-calc.exe" 0
    CreateShortcut "$SMPROGRAMS\ZEB\Desinstalar o ZEB.lnk" "$INSTDIR\Desinstalar.exe"

    ; Study files (.zeb) open in ZEB.
    WriteRegStr HKLM "Software\Classes\.zeb" "" "ZEB.Estudo"
    WriteRegStr HKLM "Software\Classes\ZEB.Estudo" "" "Estudo do ZEB"
    WriteRegStr HKLM "Software\Classes\ZEB.Estudo\DefaultIcon" "" '"$INSTDIR\zeb.exe",0'
    WriteRegStr HKLM "Software\Classes\ZEB.Estudo\shell\open\command" "" '"$INSTDIR\zeb.exe" "%1"'

    WriteRegStr HKLM "Software\ZEB" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "ZEB ${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "ZEB"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\zeb.exe",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Desinstalar.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Desinstalar.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    !include "${REMOVALS}"
    Delete "$INSTDIR\Desinstalar.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\ZEB\ZEB.lnk"
    Delete "$SMPROGRAMS\ZEB\ZEB - linha de comando (zeb-calc).lnk"
    Delete "$SMPROGRAMS\ZEB\Desinstalar o ZEB.lnk"
    RMDir "$SMPROGRAMS\ZEB"

    ; The file type is removed only while it is still ZEB's.
    ReadRegStr $0 HKLM "Software\Classes\.zeb" ""
    StrCmp $0 "ZEB.Estudo" 0 +2
        DeleteRegKey HKLM "Software\Classes\.zeb"
    DeleteRegKey HKLM "Software\Classes\ZEB.Estudo"
    DeleteRegKey HKLM "Software\ZEB"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
