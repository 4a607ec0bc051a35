; Orrin's per-user installer for 64-bit Windows; no administrator rights.
; makensis -DVERSION=1.1 -DORRIN_EXE=… -DCALC_EXE=… -DHELP_CHM=… -DOUTFILE=… orrin.nsi
Unicode true
; The default 32-bit stub would install nothing under a 64-bit-only wine.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orrin"
!define SETTINGS_KEY "Software\Velnor\Orrin"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Started from the shortcut, Orrin keeps its data file in the current folder:
; the user's own profile folder, as the home folder on Linux.
!define DATA_FOLDER "$PROFILE"
!define FRAME_CLASS "OrrinMainFrame"
!define ID_APP_EXIT 57665

Name "Orrin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Orrin"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Orrin ${VERSION}"

!define MUI_ICON "${ORRIN_ICON}"
!define MUI_UNICON "${ORRIN_ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Orrin.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; A running Orrin holds its files open; 常駐の終了 also writes its settings.
!macro EndRunningOrrin
    FindWindow $0 "${FRAME_CLASS}"
    StrCmp $0 0 +3
    SendMessage $0 ${WM_COMMAND} ${ID_APP_EXIT} 0
    Sleep 500
!macroend

Section "Orrin" SecProgram
    SectionIn RO
    !insertmacro EndRunningOrrin
    SetOutPath "$INSTDIR"
    File "/oname=Orrin.exe" "${ORRIN_EXE}"
    File "/oname=orrin-calc.exe" "${CALC_EXE}"
    File "/oname=Orrin.chm" "${HELP_CHM}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut's working folder is where Orrin.dat lies.
    SetOutPath "${DATA_FOLDER}"
    CreateShortcut "$SMPROGRAMS\Orrin.lnk" "$INSTDIR\Orrin.exe" "" "$INSTDIR\Orrin.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Orrin"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Velnor"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orrin.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.Orrin" UnSecProgram
    SectionIn RO
    !insertmacro EndRunningOrrin
    Delete "$SMPROGRAMS\Orrin.lnk"
    Delete "$INSTDIR\Orrin.exe"
    Delete "$INSTDIR\orrin-calc.exe"
    Delete "$INSTDIR\Orrin.chm"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ; Without the program, a start at login would point at nothing.
    DeleteRegValue HKCU "${RUN_KEY}" "Orrin"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Off unless chosen on the page or given as /REMOVEDATA in a silent run.
Section /o "un.Orrin.dat と設定" UnSecData
    Delete "${DATA_FOLDER}\Orrin.dat"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Velnor"
SectionEnd

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVEDATA" $1
    IfErrors +2
    SectionSetFlags ${UnSecData} ${SF_SELECTED}
FunctionEnd
