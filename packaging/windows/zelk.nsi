; The per-user installer of ZELK_Win: no administrator rights, the programs and the catalogue in
; one folder of the user's own, a Start-menu shortcut that starts zelk in that folder (where the
; catalogue "JISTEELW.CSV" and the editor's "JISTEELW.new" live), an uninstaller in the list of
; installed programs. A catalogue the user has edited is kept on upgrade and on uninstall.
; makensis -DVERSION=1.01 -DFILE_VERSION=1.1.0.0 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> zelk.nsi
; (VERSION as the user reads it, FILE_VERSION the four numbers Windows reads it as: cmake/ZelkVersion.cmake)
; 64-bit like the programs it installs (which also lets Wine run it without its 32-bit part).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "ZELK_Win"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "Software\${PRODUCT}"

!include "MUI2.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${SETTINGS_KEY}" "InstallLocation"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) 2026"

Section "Install"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    !if /FileExists "${STAGE}\zelk.exe"
        File "${STAGE}\zelk.exe"
    !endif
    !if /FileExists "${STAGE}\zelk-tool.exe"
        File "${STAGE}\zelk-tool.exe"
    !endif
    File "${STAGE}\README.txt"
    SetOutPath "$INSTDIR\zelkhelp"
    File /r "${STAGE}\zelkhelp\*"

    ; The catalogue only where there is none: the user's own, edited or not, stays. Its time
    ; stamp as installed tells the uninstaller whether the user has changed it since.
    SetOutPath "$INSTDIR"
    IfFileExists "$INSTDIR\JISTEELW.CSV" catalogue_done
    File "${STAGE}\JISTEELW.CSV"
    GetFileTime "$INSTDIR\JISTEELW.CSV" $0 $1
    WriteRegStr HKCU "${SETTINGS_KEY}" "CatalogueTime" "$0.$1"
catalogue_done:

    ; The shortcut's working folder is the one SetOutPath names last.
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\zelk.exe" "" "$INSTDIR\zelk.exe" 0

    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKCU "${SETTINGS_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelk.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$INSTDIR\zelk.exe"
    Delete "$INSTDIR\zelk-tool.exe"
    Delete "$INSTDIR\README.txt"
    RMDir /r "$INSTDIR\zelkhelp"
    ; The catalogue goes only as it was installed; the files the user made beside it stay.
    ReadRegStr $2 HKCU "${SETTINGS_KEY}" "CatalogueTime"
    GetFileTime "$INSTDIR\JISTEELW.CSV" $0 $1
    StrCmp "$0.$1" $2 0 +2
    Delete "$INSTDIR\JISTEELW.CSV"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd
