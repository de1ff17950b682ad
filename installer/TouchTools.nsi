; The setup program of the touchscreen tools: puts the calibration program and the draw test in
; the driver's folder below the Windows directory and the applet in the system folder, and
; registers an uninstaller. The driver's service entry and its settings are never touched.
;
; Every run ends all-or-nothing: either every file is the new one (a file in use takes its place
; at the next restart, and the exit code says so) or nothing was changed and the exit code says
; why.
;
; Built by the build: makensis -DVERSION=a.b.c.d -DDIST=<package folder> -DOUTFILE=<setup exe>

Unicode true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; A file that cannot be written ends the installation instead of being skipped.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelmuroTouchTools"
!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define RUNONCE_VALUE "VelmuroTouchTools"
!define UNINSTALLER "TouchToolsUninstall.exe"
!define PUBLISHER "Brevanto"
; A new file is written beside the one it replaces; an old file in use is moved aside.
!define STAGED ".new"
!define ASIDE ".old"

; Exit codes a script can tell apart (the table in README.md):
;    0  done
;    1  the user cancelled (NSIS)
;    2  a file could not be written; nothing was changed (NSIS)
;    3  the calibration program or the draw test is running; nothing was changed
;    4  the account is not an administrator's; nothing was changed
;    5  64-bit Windows; nothing was changed
;    6  a newer version is installed; nothing was changed
;    7  an earlier removal awaits a restart; nothing was changed
; 3010  done, Windows must restart to finish (as Windows Installer says it)
!define EXIT_TOOL_RUNNING 3
!define EXIT_NOT_ADMINISTRATOR 4
!define EXIT_WINDOWS_64 5
!define EXIT_NEWER_INSTALLED 6
!define EXIT_REMOVAL_PENDING 7
!define EXIT_RESTART_NEEDED 3010

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
; Shown so that a restart still needed is offered.
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString ProductName ${LANG_ENGLISH} "TouchScreen Tools"
LangString ProductName ${LANG_SIMPCHINESE} "触摸屏工具"
LangString ToolRunning ${LANG_ENGLISH} "$1 is running. Close it, then choose Retry."
LangString ToolRunning ${LANG_SIMPCHINESE} "$1 正在运行。请先关闭它，然后选择“重试”。"
LangString NotAdministrator ${LANG_ENGLISH} "Only an administrator can install or remove TouchScreen Tools. Log on as an administrator and try again."
LangString NotAdministrator ${LANG_SIMPCHINESE} "只有管理员才能安装或删除触摸屏工具。请以管理员身份登录后重试。"
LangString Windows64 ${LANG_ENGLISH} "TouchScreen Tools work with 32-bit Windows only, and this Windows is 64-bit. Nothing was installed."
LangString Windows64 ${LANG_SIMPCHINESE} "触摸屏工具只能用于 32 位 Windows，而此 Windows 是 64 位的。未安装任何内容。"
LangString NewerInstalled ${LANG_ENGLISH} "Version $0 of TouchScreen Tools is installed, newer than this version ${VERSION}. Replace it with the older version?"
LangString NewerInstalled ${LANG_SIMPCHINESE} "已安装触摸屏工具 $0 版，比此版本 ${VERSION} 更新。是否用旧版本替换它？"
LangString RemovalPending ${LANG_ENGLISH} "TouchScreen Tools are still being removed. Restart Windows, then run Setup again."
LangString RemovalPending ${LANG_SIMPCHINESE} "触摸屏工具仍在删除中。请重新启动 Windows，然后再次运行安装程序。"

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

; Ends the program before it changed anything, telling the user why unless it runs silently.
!macro Refuse MESSAGE CODE
    MessageBox MB_OK|MB_ICONSTOP "${MESSAGE}" /SD IDOK
    SetErrorLevel ${CODE}
    Quit
!macroend

; The one account check of setup and uninstaller: sets $0 to 1 when this process holds an
; administrator's rights, else 0. Windows 2000 and XP run setup with the user's own rights (only
; Windows Vista and later ask for an administrator's), and a limited user would fail half-way.
; Both calls exist since Windows 2000.
!macro IsAdministrator
    StrCpy $0 0
    System::Call "advapi32::ConvertStringSidToSidW(w 'S-1-5-32-544', *p .r1) i .r2"
    ${If} $2 <> 0
        System::Call "advapi32::CheckTokenMembership(p 0, p r1, *i .r2) i .r3"
        ${If} $3 <> 0
            StrCpy $0 $2
        ${EndIf}
        System::Call "kernel32::LocalFree(p r1)"
    ${EndIf}
!macroend

!macro RequireAdministrator
    !insertmacro IsAdministrator
    ${If} $0 == 0
        !insertmacro Refuse "$(NotAdministrator)" ${EXIT_NOT_ADMINISTRATOR}
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
; a running tool ends the program before anything is replaced or removed.
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

; Installing an older version over a newer one asks first, and silently refuses, unless /FORCE.
Function RefuseDowngrade
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 == ""
        Return
    ${EndIf}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/FORCE" $2
    ${IfNot} ${Errors}
        Return
    ${EndIf}
    ${VersionCompare} $0 "${VERSION}" $2
    ${If} $2 == 1
    ${AndIfNot} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(NewerInstalled)" /SD IDNO IDYES`
        SetErrorLevel ${EXIT_NEWER_INSTALLED}
        Quit
    ${EndIf}
FunctionEnd

Function .onInit
    !insertmacro PickLanguage
    ${If} ${RunningX64}
        !insertmacro Refuse "$(Windows64)" ${EXIT_WINDOWS_64}
    ${EndIf}
    !insertmacro RequireAdministrator
    ; Files an earlier removal left for the restart would take new ones with them.
    ReadRegStr $0 HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE}"
    ${If} $0 != ""
        !insertmacro Refuse "$(RemovalPending)" ${EXIT_REMOVAL_PENDING}
    ${EndIf}
    Call RefuseDowngrade
    !insertmacro EnsureToolsClosed
FunctionEnd

; Replaces the file $R0 by $R0${STAGED}. One in use (a loaded applet, a running program) is moved
; aside and goes at the next restart; when even that is refused, the new file takes its place at
; the next restart. Both set the reboot flag.
Function PutInPlace
    ClearErrors
    Delete "$R0"
    ${IfNot} ${Errors}
        Rename "$R0${STAGED}" "$R0"
        Return
    ${EndIf}
    ClearErrors
    Delete "$R0${ASIDE}"
    Rename "$R0" "$R0${ASIDE}"
    ${IfNot} ${Errors}
        Rename "$R0${STAGED}" "$R0"
        Delete /REBOOTOK "$R0${ASIDE}"
        Return
    ${EndIf}
    ClearErrors
    Rename /REBOOTOK "$R0${STAGED}" "$R0"
    ${If} ${Errors}
        Abort
    ${EndIf}
FunctionEnd

!macro PutInPlace FILE
    StrCpy $R0 "${FILE}"
    Call PutInPlace
!macroend

Var CreatedFolder

Section "Install"
    ; A tool may have been started while the first page was shown.
    !insertmacro EnsureToolsClosed
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $CreatedFolder 1
    ${EndIf}
    ; Every new file is written first; a failed write then leaves the old ones untouched.
    SetOutPath "$INSTDIR"
    File "/oname=Pintara.exe${STAGED}" "${DIST}\Velmuro\Pintara.exe"
    File "/oname=Scrivet.exe${STAGED}" "${DIST}\Velmuro\Scrivet.exe"
    ClearErrors
    WriteUninstaller "$INSTDIR\${UNINSTALLER}${STAGED}"
    ${If} ${Errors}
        Abort
    ${EndIf}
    SetOutPath "$SYSDIR"
    File "/oname=Panelo.cpl${STAGED}" "${DIST}\system32\Panelo.cpl"

    ; The applet first: the control panel may hold it, and a refusal then still changes nothing.
    !insertmacro PutInPlace "$SYSDIR\Panelo.cpl"
    !insertmacro PutInPlace "$INSTDIR\Pintara.exe"
    !insertmacro PutInPlace "$INSTDIR\Scrivet.exe"
    !insertmacro PutInPlace "$INSTDIR\${UNINSTALLER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(ProductName)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Panelo.cpl,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    ; Run in place, the uninstaller ends with the outcome's exit code.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; In kilobytes, as Add/Remove Programs shows it.
    ${GetSize} "$INSTDIR" "/M=Pintara.exe /S=0K /G=0" $0 $1 $2
    ${GetSize} "$INSTDIR" "/M=Scrivet.exe /S=0K /G=0" $3 $1 $2
    ${GetSize} "$SYSDIR" "/M=Panelo.cpl /S=0K /G=0" $4 $1 $2
    IntOp $0 $0 + $3
    IntOp $0 $0 + $4
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    ${If} ${RebootFlag}
        SetErrorLevel ${EXIT_RESTART_NEEDED}
    ${EndIf}
SectionEnd

; A write failed before any old file was replaced: take the new ones back.
Function .onInstFailed
    Delete "$SYSDIR\Panelo.cpl${STAGED}"
    Delete "$INSTDIR\Pintara.exe${STAGED}"
    Delete "$INSTDIR\Scrivet.exe${STAGED}"
    Delete "$INSTDIR\${UNINSTALLER}${STAGED}"
    ${If} $CreatedFolder == 1
        RMDir "$INSTDIR"
    ${EndIf}
FunctionEnd

; The uninstaller's file cannot go while a process runs from it: the original that started this
; copy may still be ending. Wait for it a while rather than leave it behind; after that, leave it
; to the next restart.
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

; Run in place (_?=), the uninstaller waits for its outcome but cannot delete its own file; a
; copy of it started with /REMOVE does once it has ended.
Function un.RemoveUninstaller
    ${If} $EXEFILE == "${UNINSTALLER}"
        GetTempFileName $0
        System::Call "kernel32::CopyFileW(w '$EXEPATH', w r0, i 0) i .r1"
        Exec '"$0" /REMOVE _?=$INSTDIR'
    ${Else}
        Call un.DeleteUninstaller
        ; The folder is the driver's too: it goes only when nothing else is left in it.
        RMDir "$INSTDIR"
    ${EndIf}
FunctionEnd

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVE" $1
    ${IfNot} ${Errors}
        Call un.DeleteUninstaller
        RMDir "$INSTDIR"
        Delete /REBOOTOK "$EXEPATH"
        Quit
    ${EndIf}
    !insertmacro PickLanguage
    !insertmacro RequireAdministrator
    !insertmacro EnsureToolsClosed
FunctionEnd

!macro RemoveFile FILE
    Delete /REBOOTOK "${FILE}"
    Delete /REBOOTOK "${FILE}${STAGED}"
    Delete /REBOOTOK "${FILE}${ASIDE}"
!macroend

Section "Uninstall"
    ; A tool may have been started since the start-up check: the applet's Calibrate page starts
    ; them.
    !insertmacro EnsureToolsClosed
    !insertmacro RemoveFile "$INSTDIR\Pintara.exe"
    !insertmacro RemoveFile "$INSTDIR\Scrivet.exe"
    !insertmacro RemoveFile "$SYSDIR\Panelo.cpl"
    ${If} ${RebootFlag}
        ; A file in use goes at the next restart. The entry and its uninstaller stay until then,
        ; and the uninstaller runs once more after the restart to take them away.
        WriteRegStr HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE}" \
            '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
        SetErrorLevel ${EXIT_RESTART_NEEDED}
        Return
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegValue HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE}"
    Call un.RemoveUninstaller
SectionEnd
