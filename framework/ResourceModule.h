#pragma once
#include <windows.h>

// The module whose templates, icons and strings the framework loads: the program itself, or
// the library when it runs inside a host such as the control panel. Set once at start, from
// wWinMain or DllMain; nothing falls back to the host's module.
HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE module);
