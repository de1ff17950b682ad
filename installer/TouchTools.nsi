; The setup program of the touchscreen tools: puts the calibration program and the draw test in
; the driver's folder below the Windows directory and the applet in the system folder, and
; registers an uninstaller. The driver's service entry and its settings are never touched.
;
; Every run ends all-or-nothing: either every file is the new one (a file in use takes its place
; at the next restart, and the exit code says so) or nothing was changed and the exit code says
; why. Setup and uninstaller run one at a time on the machine, in whatever session or account.
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
; Volatile: the restart itself takes it away, whoever logs on afterwards.
!define RESTART_MARK "${UNINSTALL_KEY}\RestartPending"
!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
; "!": Windows deletes the value only once the command has run.
!define RUNONCE_VALUE "!VelmuroTouchTools"
; The value of the previous version's removals, which set no restart mark.
!define RUNONCE_VALUE_BEFORE "VelmuroTouchTools"
; The uninstaller's switch in its run-once command.
!define RUNONCE_SWITCH "/RUNONCE"
; Files the next start of Windows renames or deletes.
!define SESSION_MANAGER_KEY "System\CurrentControlSet\Control\Session Manager"
!define PENDING_OPERATIONS "PendingFileRenameOperations"
!define UNINSTALLER "TouchToolsUninstall.exe"
!define PUBLISHER "Brevanto"
; Held open, unshared, by setup, uninstaller and its removal copy for their whole run, whatever
; the session or account; deleted when the run ends, also when it ends abnormally. Only
; administrators and the system may create a file in the Windows folder, and the file's own
; access list lets no one else open it: no other account can hold it.
!define LOCK_FILE "$WINDIR\VelmuroTouchToolsSetup.lock"
!define LOCK_SDDL "D:P(A;;FA;;;SY)(A;;FA;;;BA)"
; DELETE, for FILE_FLAG_DELETE_ON_CLOSE | FILE_ATTRIBUTE_HIDDEN.
!define LOCK_ACCESS 0x00010000
!define LOCK_FLAGS 0x04000002
!define OPEN_ALWAYS 4
!define ERROR_SHARING_VIOLATION 32
!define LOCK_WAIT_MS 60000
!define LOCK_POLL_MS 250
; A file about to be deleted refuses every opening for a moment: a refusal counts only once it
; lasts this many polls.
!define LOCK_REFUSALS 8
; A new file is written beside the one it replaces, under a name of this run's own (so that a
; failed run never takes an earlier run's replacement awaiting the restart); the old one is kept
; beside it until every file is in place.
!define STAGED ".new"
!define ASIDE ".old"
!define MOVEFILE_REPLACE_EXISTING 1
; MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT
!define MOVEFILE_AT_RESTART 5

; Exit codes a script can tell apart (the table in README.md):
;    0  done
;    1  the user cancelled (NSIS)
;    2  a file could not be written or put in place; nothing was changed (NSIS)
;    3  the calibration program or the draw test is running; nothing was changed
;    4  the account is not an administrator's; nothing was changed
;    5  64-bit Windows; nothing was changed
;    6  a newer version is installed; nothing was changed
;    7  an earlier removal awaits a restart; nothing was changed
;    8  the lock file exists and is not one of ours (it cannot be opened); nothing was changed
; 1618  another setup or uninstall ran all the time waited; nothing was changed (as Windows
;       Installer says it)
; 3010  done, Windows must restart to finish (as Windows Installer says it)
!define EXIT_TOOL_RUNNING 3
!define EXIT_NOT_ADMINISTRATOR 4
!define EXIT_WINDOWS_64 5
!define EXIT_NEWER_INSTALLED 6
!define EXIT_REMOVAL_PENDING 7
!define EXIT_LOCK_NOT_OURS 8
!define EXIT_ANOTHER_RUN 1618
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

; The product's name is also its Start-menu folder's, and the entries there are named as the
; applet's Calibrate page names the two tools. The uninstaller removes those of both languages.
!define FOLDER_EN "TouchScreen Tools"
!define FOLDER_ZH "触摸屏工具"
!define CALIBRATE_EN "Calibrate"
!define CALIBRATE_ZH "校准"
!define DRAWTEST_EN "Draw Test"
!define DRAWTEST_ZH "画图测试"
LangString ProductName ${LANG_ENGLISH} "${FOLDER_EN}"
LangString ProductName ${LANG_SIMPCHINESE} "${FOLDER_ZH}"
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
LangString AnotherRun ${LANG_ENGLISH} "Another installation is already in progress. Run Setup again when it has finished."
LangString AnotherRun ${LANG_SIMPCHINESE} "另一个安装正在进行中。请在它完成后再次运行安装程序。"
LangString LockNotOurs ${LANG_ENGLISH} "The file ${LOCK_FILE} is in the way and cannot be opened. Let an administrator delete it, then run Setup again. Nothing was changed."
LangString LockNotOurs ${LANG_SIMPCHINESE} "文件 ${LOCK_FILE} 妨碍运行且无法打开。请让管理员删除它，然后再次运行安装程序。未更改任何内容。"
LangString CalibrateShortcut ${LANG_ENGLISH} "${CALIBRATE_EN}"
LangString CalibrateShortcut ${LANG_SIMPCHINESE} "${CALIBRATE_ZH}"
LangString DrawTestShortcut ${LANG_ENGLISH} "${DRAWTEST_EN}"
LangString DrawTestShortcut ${LANG_SIMPCHINESE} "${DRAWTEST_ZH}"

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

; Sets $0 to 1 when the tool $1 runs anywhere on the machine, else 0. Its mutex is seen only in
; this session's namespace, and one held in another account may be refused (access denied): both
; count as running. A program running in another session keeps its file mapped, which no one may
; then open for writing (a sharing violation).
!macro IsToolRunning
    StrCpy $0 0
    System::Call "kernel32::OpenMutexW(i 0x00100000, i 0, w r1) p .r2 ?e"
    Pop $3
    ${If} $2 P<> 0
        System::Call "kernel32::CloseHandle(p r2)"
        StrCpy $0 1
    ${ElseIf} $3 = 5
        StrCpy $0 1
    ${Else}
        System::Call "kernel32::CreateFileW(w '$INSTDIR\$1.exe', i 0x40000000, i 7, p 0, i 3, i 0, p 0) p .r2 ?e"
        Pop $3
        ${If} $2 P<> -1
            System::Call "kernel32::CloseHandle(p r2)"
        ${ElseIf} $3 = 32
            StrCpy $0 1
        ${EndIf}
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

Var Lock
; This run's own part of the names of new and old files written beside the installed ones.
Var RunTag
; Set when an earlier removal is unfinished.
Var RemovalLeft
Var CreatedFolder
; How many files PutInPlace has handled; the rest are only written beside their old ones.
Var Placed

; Takes the machine-wide lock of setup and uninstaller, waiting a while for another run to end;
; sets $0 to 1 once held, 0 when another run held it all the time, 2 when it is not ours. Never
; released: the file goes when the process ends.
!macro TakeLock
    StrCpy $0 0
    System::Call "advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w '${LOCK_SDDL}', i 1, *p .r1, p 0) i .r2"
    ${If} $2 <> 0
        System::Call "*(i 12, p r1, i 0) p .r2"
        System::Call "kernel32::GetTickCount() i .r3"
        StrCpy $5 0
        ${Do}
            System::Call "kernel32::CreateFileW(w '${LOCK_FILE}', i ${LOCK_ACCESS}, i 0, p r2, i ${OPEN_ALWAYS}, i ${LOCK_FLAGS}, p 0) p .r4 ?e"
            Pop $6
            ${If} $4 P<> -1
                StrCpy $Lock $4
                StrCpy $0 1
                ${Break}
            ${EndIf}
            ; Only a run of ours holds it unshared; anything else keeps it from being opened at all.
            ${If} $6 = ${ERROR_SHARING_VIOLATION}
                StrCpy $5 0
            ${Else}
                IntOp $5 $5 + 1
                ${If} $5 >= ${LOCK_REFUSALS}
                    StrCpy $0 2
                    ${Break}
                ${EndIf}
            ${EndIf}
            System::Call "kernel32::GetTickCount() i .r4"
            IntOp $4 $4 - $3
            ${If} $4 >= ${LOCK_WAIT_MS}
                ${Break}
            ${EndIf}
            Sleep ${LOCK_POLL_MS}
        ${Loop}
        System::Free $2
        System::Call "kernel32::LocalFree(p r1)"
    ${EndIf}
!macroend

!macro RequireLock
    !insertmacro TakeLock
    ${If} $0 == 0
        !insertmacro Refuse "$(AnotherRun)" ${EXIT_ANOTHER_RUN}
    ${ElseIf} $0 == 2
        !insertmacro Refuse "$(LockNotOurs)" ${EXIT_LOCK_NOT_OURS}
    ${EndIf}
!macroend

; Sets $0 to 1 while the restart an earlier removal waits for has not yet come, else 0: its mark
; is there, or the next start of Windows still has one of our files to rename or delete (the
; previous version's removals leave only that sign).
!macro IsRestartPending
    StrCpy $0 0
    System::Call "advapi32::RegOpenKeyExW(p 0x80000002, w '${RESTART_MARK}', i 0, i 0x20019, *p .r1) i .r2"
    ${If} $2 = 0
        System::Call "advapi32::RegCloseKey(p r1)"
        StrCpy $0 1
    ${Else}
        Call IsFileOperationPending
    ${EndIf}
!macroend

; Sets $0 to 1 when a path in the pending file operations is one of our files or this run's or an
; earlier run's file beside it, else 0.
Function IsFileOperationPending
    StrCpy $0 0
    System::Call "advapi32::RegOpenKeyExW(p 0x80000002, w '${SESSION_MANAGER_KEY}', i 0, i 0x20019, *p .r1) i .r2"
    ${If} $2 <> 0
        Return
    ${EndIf}
    System::Call "advapi32::RegQueryValueExW(p r1, w '${PENDING_OPERATIONS}', p 0, *i .r3, p 0, *i .r4) i .r2"
    ; REG_MULTI_SZ: paths, each followed by its new name or an empty string.
    ${If} $2 = 0
    ${AndIf} $3 = 7
        ; Zeroed, with room for the final terminator even if the value lacks it.
        IntOp $3 $4 + 4
        System::Alloc $3
        Pop $5
        System::Call "advapi32::RegQueryValueExW(p r1, w '${PENDING_OPERATIONS}', p 0, p 0, p r5, *i r4) i .r2"
        ${If} $2 = 0
            IntPtrOp $6 $5 + $4
            StrCpy $7 $5
            ${DoWhile} $7 P< $6
                System::Call "kernel32::lstrcpynW(w .r8, p r7, i ${NSIS_MAX_STRLEN}) p"
                System::Call "kernel32::lstrlenW(p r7) i .r9"
                IntOp $9 $9 + 1
                IntOp $9 $9 * 2
                IntPtrOp $7 $7 + $9
                Call IsOurPath
                ${IfThen} $0 == 1 ${|} ${Break} ${|}
            ${Loop}
        ${EndIf}
        System::Free $5
    ${EndIf}
    System::Call "advapi32::RegCloseKey(p r1)"
FunctionEnd

; Sets $0 to 1 when the path $8 begins with FILE, or leaves it.
!macro IsPathOf FILE
    StrLen $9 "${FILE}"
    StrCpy $9 $8 $9
    ${If} $9 == "${FILE}"
        StrCpy $0 1
    ${EndIf}
!macroend

; Sets $0 to 1 when the path $8, as the pending file operations write it ("!" before a new name,
; "\??\" before a drive), begins with the path of one of our files.
Function IsOurPath
    StrCpy $9 $8 1
    ${If} $9 == "!"
        StrCpy $8 $8 "" 1
    ${EndIf}
    StrCpy $9 $8 4
    ${If} $9 == "\??\"
        StrCpy $8 $8 "" 4
    ${EndIf}
    !insertmacro IsPathOf "$SYSDIR\Panelo.cpl"
    !insertmacro IsPathOf "$INSTDIR\Pintara.exe"
    !insertmacro IsPathOf "$INSTDIR\Scrivet.exe"
    !insertmacro IsPathOf "$INSTDIR\${UNINSTALLER}"
FunctionEnd

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
    !insertmacro RequireLock
    ; Files an earlier removal left for the restart would take new ones with them. Once the
    ; restart has come, the rest of that removal is finished here, since Windows runs it only at
    ; an administrator's logon.
    ReadRegStr $RemovalLeft HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE}"
    ReadRegStr $0 HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE_BEFORE}"
    StrCpy $RemovalLeft "$RemovalLeft$0"
    ${If} $RemovalLeft != ""
        !insertmacro IsRestartPending
        ${If} $0 == 1
            !insertmacro Refuse "$(RemovalPending)" ${EXIT_REMOVAL_PENDING}
        ${EndIf}
    ${Else}
        Call RefuseDowngrade
    ${EndIf}
    !insertmacro EnsureToolsClosed
    System::Call "kernel32::GetCurrentProcessId() i .r0"
    System::Call "kernel32::GetTickCount() i .r1"
    IntFmt $0 "%X" $0
    IntFmt $1 "%08X" $1
    StrCpy $RunTag ".$0$1"
FunctionEnd

; Sets $R1 and $R2 to the names of this run's new and old file beside the file $R0.
!macro BesideNames
    StrCpy $R1 "$R0$RunTag${STAGED}"
    StrCpy $R2 "$R0$RunTag${ASIDE}"
!macroend

; Puts the new file beside $R0 in its place, now if it can be, else at the next restart (which
; sets the reboot flag); the old one is kept beside it ($R2). Aborts when neither can be.
Function PutInPlace
    !insertmacro BesideNames
    IntOp $Placed $Placed + 1
    ${If} ${FileExists} "$R0"
        System::Call "kernel32::CopyFileW(w R0, w R2, i 1) i .r0"
    ${Else}
        StrCpy $0 1
    ${EndIf}
    ; In one step, which leaves the old file in place when it fails; only with the old file kept.
    ${If} $0 <> 0
        System::Call "kernel32::MoveFileExW(w R1, w R0, i ${MOVEFILE_REPLACE_EXISTING}) i .r0"
        ${If} $0 <> 0
            Return
        ${EndIf}
        Delete "$R2"
    ${EndIf}
    ; One held open with delete sharing (a virus scanner, an indexer) can be moved aside.
    System::Call "kernel32::MoveFileW(w R0, w R2) i .r0"
    ${If} $0 <> 0
        System::Call "kernel32::MoveFileW(w R1, w R0) i .r0"
        ${If} $0 <> 0
            Return
        ${EndIf}
        System::Call "kernel32::MoveFileW(w R2, w R0) i"
    ${EndIf}
    System::Call "kernel32::MoveFileExW(w R1, w R0, i ${MOVEFILE_AT_RESTART}) i .r0"
    ${If} $0 = 0
        Abort
    ${EndIf}
    SetRebootFlag true
FunctionEnd

; Takes back what PutInPlace did to $R0, or only this run's new file when $R3 is 0 (not handled).
Function TakeBack
    !insertmacro BesideNames
    ${If} ${FileExists} "$R1"
        ; Never put in place, or only at the restart, which finds nothing to move then.
        Delete "$R1"
        ${If} ${FileExists} "$R0"
            Delete "$R2"
            Return
        ${EndIf}
    ${ElseIf} $R3 == 0
        Return
    ${EndIf}
    ${If} ${FileExists} "$R2"
        System::Call "kernel32::MoveFileExW(w R2, w R0, i ${MOVEFILE_REPLACE_EXISTING}) i .r0"
        ${If} $0 = 0
            System::Call "kernel32::MoveFileExW(w R2, w R0, i ${MOVEFILE_AT_RESTART}) i"
        ${EndIf}
    ${Else}
        Delete /REBOOTOK "$R0"
    ${EndIf}
FunctionEnd

; Once every file is in place: the old ones go, and so does an earlier run's new file still waiting
; for the restart, which would then bring back an older file.
Function KeepNew
    !insertmacro BesideNames
    Delete /REBOOTOK "$R2"
    FindFirst $0 $1 "$R0.*${STAGED}"
    ${DoWhile} $1 != ""
        ${GetParent} "$R0" $2
        ${If} "$2\$1" != "$R1"
            Delete "$2\$1"
        ${EndIf}
        FindNext $0 $1
    ${Loop}
    FindClose $0
FunctionEnd

; Calls FUNCTION for each installed file with its path in $R0; $R3 is 1 for those PutInPlace has
; handled. The applet first: the control panel may hold it, and a refusal then changes nothing.
!macro ForEachFile FUNCTION
    StrCpy $R4 0
    !insertmacro ForFile ${FUNCTION} "$SYSDIR\Panelo.cpl"
    !insertmacro ForFile ${FUNCTION} "$INSTDIR\Pintara.exe"
    !insertmacro ForFile ${FUNCTION} "$INSTDIR\Scrivet.exe"
    !insertmacro ForFile ${FUNCTION} "$INSTDIR\${UNINSTALLER}"
!macroend

!macro ForFile FUNCTION FILE
    StrCpy $R0 "${FILE}"
    IntOp $R4 $R4 + 1
    ${If} $R4 <= $Placed
        StrCpy $R3 1
    ${Else}
        StrCpy $R3 0
    ${EndIf}
    Call ${FUNCTION}
!macroend

; An earlier removal, its restart past: whatever it left goes now, before the new files come.
Function FinishRemoval
    StrCpy $Placed 0
    !insertmacro ForEachFile DeleteLeftover
    ; Also tells a run-once command already started and waiting for the lock that its removal is
    ; done.
    DeleteRegValue HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE}"
    DeleteRegValue HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE_BEFORE}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
FunctionEnd

Function DeleteLeftover
    Delete "$R0"
    Delete "$R0.*${STAGED}"
    Delete "$R0.*${ASIDE}"
FunctionEnd

Section "Install"
    ; A tool may have been started while the first page was shown.
    !insertmacro EnsureToolsClosed
    ${If} $RemovalLeft != ""
        Call FinishRemoval
    ${EndIf}
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $CreatedFolder 1
    ${EndIf}
    ; Every new file is written first; a failed write then leaves the old ones untouched.
    SetOutPath "$INSTDIR"
    File "/oname=Pintara.exe$RunTag${STAGED}" "${DIST}\Velmuro\Pintara.exe"
    File "/oname=Scrivet.exe$RunTag${STAGED}" "${DIST}\Velmuro\Scrivet.exe"
    ClearErrors
    WriteUninstaller "$INSTDIR\${UNINSTALLER}$RunTag${STAGED}"
    ${If} ${Errors}
        Abort
    ${EndIf}
    SetOutPath "$SYSDIR"
    File "/oname=Panelo.cpl$RunTag${STAGED}" "${DIST}\system32\Panelo.cpl"

    StrCpy $Placed 0
    !insertmacro ForEachFile PutInPlace
    !insertmacro ForEachFile KeepNew

    ; For all users: a touchscreen that needs calibrating must not need the control panel.
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\$(ProductName)"
    CreateShortcut "$SMPROGRAMS\$(ProductName)\$(CalibrateShortcut).lnk" "$INSTDIR\Pintara.exe"
    CreateShortcut "$SMPROGRAMS\$(ProductName)\$(DrawTestShortcut).lnk" "$INSTDIR\Scrivet.exe"

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

; A file could not be written or put in place: every old one is taken back.
Function .onInstFailed
    !insertmacro ForEachFile TakeBack
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
; copy of it started with /REMOVE does once it has ended, unless a setup has installed again
; meanwhile (the lock lets the copy in only after it).
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
        !insertmacro TakeLock
        ClearErrors
        ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "UninstallString"
        ${If} $0 == 1
        ${AndIf} ${Errors}
            Call un.DeleteUninstaller
            RMDir "$INSTDIR"
        ${EndIf}
        Delete /REBOOTOK "$EXEPATH"
        Quit
    ${EndIf}
    !insertmacro PickLanguage
    !insertmacro RequireAdministrator
    !insertmacro RequireLock
    Call un.EndIfRemovalFinished
    ; Run from the copy that the uninstaller started without _?= hands over to and ends at once:
    ; a setup started right after may have taken the lock first. The copy keeps the write time of
    ; the uninstaller it was made from; another one means this removal was asked of an
    ; installation that is gone, which leaves it nothing to do: the new one stays.
    ${If} $EXEDIR != $INSTDIR
        GetFileTime "$EXEPATH" $1 $2
        ClearErrors
        GetFileTime "$INSTDIR\${UNINSTALLER}" $3 $4
        ${IfNot} ${Errors}
        ${AndIf} "$1 $2" != "$3 $4"
            SetErrorLevel 0
            Quit
        ${EndIf}
    ${EndIf}
    !insertmacro EnsureToolsClosed
FunctionEnd

; The run-once command is for the removal that wrote it, which Windows may start long after the
; restart, at an administrator's logon; a setup may have finished that removal meanwhile and
; installed again, which then stays. Its value stands as long as the removal is unfinished: Windows
; deletes a value named with "!" only once the command has run.
Function un.EndIfRemovalFinished
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "${RUNONCE_SWITCH}" $1
    ${If} ${Errors}
        Return
    ${EndIf}
    ReadRegStr $1 HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE}"
    ${If} $1 == ""
        SetErrorLevel 0
        Quit
    ${EndIf}
FunctionEnd

; Also the new and old files of setups that ended before the restart they left them for.
!macro RemoveFile FILE
    Delete /REBOOTOK "${FILE}"
    Delete /REBOOTOK "${FILE}.*${STAGED}"
    Delete /REBOOTOK "${FILE}.*${ASIDE}"
!macroend

!macro RemoveShortcuts FOLDER CALIBRATE DRAWTEST
    Delete "$SMPROGRAMS\${FOLDER}\${CALIBRATE}.lnk"
    Delete "$SMPROGRAMS\${FOLDER}\${DRAWTEST}.lnk"
    RMDir "$SMPROGRAMS\${FOLDER}"
!macroend

; The Start-menu entries, under the names of either language.
Function un.RemoveShortcuts
    SetShellVarContext all
    !insertmacro RemoveShortcuts "${FOLDER_EN}" "${CALIBRATE_EN}" "${DRAWTEST_EN}"
    !insertmacro RemoveShortcuts "${FOLDER_ZH}" "${CALIBRATE_ZH}" "${DRAWTEST_ZH}"
FunctionEnd

Section "Uninstall"
    ; A tool may have been started since the start-up check: the applet's Calibrate page starts
    ; them.
    !insertmacro EnsureToolsClosed
    ; Marked before anything goes: a removal that leaves files for the restart is unfinished
    ; until then. Volatile, so the restart itself takes the mark away.
    System::Call "advapi32::RegCreateKeyExW(p 0x80000002, w '${RESTART_MARK}', i 0, p 0, i 1, i 0x20006, p 0, *p .r1, p 0) i .r0"
    ${If} $0 <> 0
        Abort
    ${EndIf}
    System::Call "advapi32::RegCloseKey(p r1)"
    !insertmacro RemoveFile "$INSTDIR\Pintara.exe"
    !insertmacro RemoveFile "$INSTDIR\Scrivet.exe"
    !insertmacro RemoveFile "$SYSDIR\Panelo.cpl"
    Call un.RemoveShortcuts
    ${If} ${RebootFlag}
        ; A file in use goes at the next restart. The entry and its uninstaller stay until then;
        ; the uninstaller runs once more at the first administrator's logon after it, or the next
        ; setup or uninstall finishes the removal.
        WriteRegStr HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE}" \
            '"$INSTDIR\${UNINSTALLER}" /S ${RUNONCE_SWITCH} _?=$INSTDIR'
        SetErrorLevel ${EXIT_RESTART_NEEDED}
        Return
    ${EndIf}
    ; With the restart mark below it.
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegValue HKLM "${RUNONCE_KEY}" "${RUNONCE_VALUE}"
    Call un.RemoveUninstaller
SectionEnd
