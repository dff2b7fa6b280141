; The Windows installer of Zentavo Tonquill (NSIS 3). scripts/windows/package
; builds it from the installed tree (cmake --install) and the file lists it
; writes: files.nsh (File lines) and unfiles.nsh (what the uninstaller
; removes: exactly what was installed, never the user's settings in the
; registry or the ringtones in the documents folder).
;   makensis -DVERSION=1.0.0.0 -DSTAGE=<tree> -DLISTS=<folder> -DOUTFILE=<setup.exe> tonquill.nsi
; A 64-bit installer for a 64-bit program (and Wine without its 32-bit half
; runs it).
Target amd64-unicode
SetCompressor /SOLID lzma
!include x64.nsh
!include LogicLib.nsh

!define PRODUCT "Zentavo Tonquill"
!define COMPANY "Zentavo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zentavo Tonquill"
!define APP_KEY "Software\Classes\Applications\tonquill.exe"
!define APP_PATH_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\tonquill.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Zentavo\Tonquill"
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Zentavo Corporation"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Zentavo Corporation"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs a 64-bit Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Tonquill"
    SetShellVarContext all
    !include "${LISTS}\files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tonquill.exe"

    ; "Open with Tonquill" for every audio and video file.
    WriteRegStr HKLM "${APP_KEY}" "FriendlyAppName" "${PRODUCT}"
    WriteRegStr HKLM "${APP_KEY}\shell\open" "FriendlyAppName" "${PRODUCT}"
    WriteRegStr HKLM "${APP_KEY}\shell\open\command" "" '"$INSTDIR\tonquill.exe" "%1"'
    WriteRegStr HKLM "${APP_KEY}\DefaultIcon" "" "$INSTDIR\tonquill.exe,0"
    !include "${LISTS}\types.nsh"
    WriteRegStr HKLM "Software\Classes\SystemFileAssociations\audio\OpenWithList\tonquill.exe" "" ""
    WriteRegStr HKLM "Software\Classes\SystemFileAssociations\video\OpenWithList\tonquill.exe" "" ""
    WriteRegStr HKLM "${APP_PATH_KEY}" "" "$INSTDIR\tonquill.exe"
    WriteRegStr HKLM "${APP_PATH_KEY}" "Path" "$INSTDIR"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Zentavo Corporation"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tonquill.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    ; Only what the installer put there: whatever else the user keeps in
    ; the folder stays, and so does the folder then.
    !include "${LISTS}\unfiles.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    RMDir "$INSTDIR\.."
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    DeleteRegKey HKLM "${APP_KEY}"
    DeleteRegKey HKLM "Software\Classes\SystemFileAssociations\audio\OpenWithList\tonquill.exe"
    DeleteRegKey HKLM "Software\Classes\SystemFileAssociations\video\OpenWithList\tonquill.exe"
    !include "${LISTS}\untypes.nsh"
    DeleteRegKey HKLM "${APP_PATH_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The settings (HKCU\Software\Zentavo) and the ringtones stay.
SectionEnd
