#include "ElevatedRelaunch.h"
#include "Application.h"
#include "Handles.h"
#include <shellapi.h>

RelaunchResult RelaunchElevated(HWND owner) {
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring applet = CApplication::ModulePath();
    if (length == 0 || length >= MAX_PATH || applet.empty()) {
        return RelaunchResult::Failed;
    }
    const std::wstring runDll = std::wstring(system, length) + L"\\rundll32.exe";
    const std::wstring parameters = ElevatedStart::RunDllParameters(applet);

    const ScopedComApartment com;
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof start;
    // The control panel may unload the applet as soon as this returns: the start must be done
    // by then. A failure is handled here, not shown by the shell.
    start.fMask = SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;
    start.hwnd = owner;
    start.lpVerb = L"runas";
    start.lpFile = runDll.c_str();
    start.lpParameters = parameters.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&start)) {
        return RelaunchResult::Started;
    }
    return GetLastError() == ERROR_CANCELLED ? RelaunchResult::Declined : RelaunchResult::Failed;
}
