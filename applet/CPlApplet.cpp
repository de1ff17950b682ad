#include <windows.h>
#include <cpl.h>

// The control panel's entry. The applet is not listed yet: it reports no dialogs.
extern "C" LONG APIENTRY CPlApplet(HWND, UINT message, LPARAM, LPARAM) {
    switch (message) {
    case CPL_INIT:
        return TRUE;
    default:
        return 0;
    }
}
