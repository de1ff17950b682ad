#include "CAppletApp.h"
#include "CallbackGuard.h"
#include "ResourceModule.h"
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        // Templates, icons and strings are ours, not the host's.
        SetResourceModule(module);
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

// The control panel's entry: every message goes to the application object.
extern "C" LONG APIENTRY CPlApplet(HWND controlPanel, UINT message, LPARAM, LPARAM parameter2) {
    return GuardCallback<LONG>(
        0, [&] { return AppletApp().OnControlPanelMessage(controlPanel, message, parameter2); });
}
