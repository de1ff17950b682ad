; The setup program of the touchscreen tools: puts the calibration program and the draw test in
; the driver's folder below the Windows directory and the applet in the system folder, and
; registers an uninstaller. The driver's service entry and its settings are never touched.
;
; Built by the build: makensis -DVERSION=a.b.c.d -DDIST=<package folder> -DOUTFILE=<setup exe>

Unicode true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; A file that cannot be replaced ends the installation instead of being skipped.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelmuroTouchTools"
!define UNINSTALLER "TouchToolsUninstall.exe"
!define PUBLISHER "Brevanto"
; Exit codes a script can tell apart.
!define EXIT_TOOL_RUNNING 3

Name "$(ProductName)"
OutFile "${OUTFILE}"
InstallDir "$WINDIR\Velmuro"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "TouchScreen Tools"
VIAddVersionKey /LANG=1033 "FileDescription" "TouchScreen Tools Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString ProductName ${LANG_ENGLISH} "TouchScreen Tools"
LangString ProductName ${LANG_SIMPCHINESE} "触摸屏工具"
LangString ToolRunning ${LANG_ENGLISH} "$1 is running. Close it, then choose Retry."
LangString ToolRunning ${LANG_SIMPCHINESE} "$1 正在运行。请先关闭它，然后选择“重试”。"

; Picks the language the way the tools do: the system default locale, Chinese for 2052 and 1028.
!macro PickLanguage
    System::Call "kernel32::GetSystemDefaultLCID() i .r0"
    ${If} $0 == 2052
    ${OrIf} $0 == 1028
        StrCpy $LANGUAGE ${LANG_SIMPCHINESE}
    ${Else}
        StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
!macroend

; Sets $0 to 1 when the tool holding the named mutex $1 runs, else 0.
!macro IsToolRunning
    System::Call "kernel32::OpenMutexW(i 0x00100000, i 0, w r1) p .r2"
    ${If} $2 P<> 0
        System::Call "kernel32::CloseHandle(p r2)"
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
!macroend

; Waits until the tool TOOL no longer runs: the user closes it and retries, or gives up. Silent,
; a running tool ends the setup before anything is replaced or removed.
!macro EnsureToolClosed TOOL
    StrCpy $1 "${TOOL}"
    !insertmacro IsToolRunning
    ${DoWhile} $0 == 1
        ${If} ${Silent}
            SetErrorLevel ${EXIT_TOOL_RUNNING}
            Quit
        ${EndIf}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ToolRunning)" IDRETRY`
            SetErrorLevel ${EXIT_TOOL_RUNNING}
            Quit
        ${EndIf}
        !insertmacro IsToolRunning
    ${Loop}
!macroend

!macro EnsureToolsClosed
    !insertmacro EnsureToolClosed "Pintara"
    !insertmacro EnsureToolClosed "Scrivet"
!macroend

Function .onInit
    !insertmacro PickLanguage
    !insertmacro EnsureToolsClosed
FunctionEnd

Function un.onInit
    !insertmacro PickLanguage
    !insertmacro EnsureToolsClosed
FunctionEnd

Section "Install"
    ; A tool may have been started while the first page was shown.
    !insertmacro EnsureToolsClosed
    SetOutPath "$INSTDIR"
    File "${DIST}\Velmuro\Pintara.exe"
    File "${DIST}\Velmuro\Scrivet.exe"
    SetOutPath "$SYSDIR"
    File "${DIST}\system32\Panelo.cpl"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(ProductName)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Panelo.cpl,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; In kilobytes, as Add/Remove Programs shows it.
    ${GetSize} "$INSTDIR" "/M=Pintara.exe /S=0K /G=0" $0 $1 $2
    ${GetSize} "$INSTDIR" "/M=Scrivet.exe /S=0K /G=0" $3 $1 $2
    ${GetSize} "$SYSDIR" "/M=Panelo.cpl /S=0K /G=0" $4 $1 $2
    IntOp $0 $0 + $3
    IntOp $0 $0 + $4
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller runs from a copy of itself in the temporary folder; the original that started
; the copy may still be ending, and its file cannot go until it has. Wait for it a while rather
; than leave it behind; after that, leave it to the next restart.
Function un.DeleteUninstaller
    StrCpy $0 0
    ${Do}
        ClearErrors
        Delete "$INSTDIR\${UNINSTALLER}"
        ${IfNot} ${Errors}
            Return
        ${EndIf}
        Sleep 250
        IntOp $0 $0 + 1
    ${LoopWhile} $0 < 120
    Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
FunctionEnd

Section "Uninstall"
    Delete "$INSTDIR\Pintara.exe"
    Delete "$INSTDIR\Scrivet.exe"
    Delete "$SYSDIR\Panelo.cpl"
    Call un.DeleteUninstaller
    ; The folder is the driver's too: it goes only when nothing else is left in it.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
