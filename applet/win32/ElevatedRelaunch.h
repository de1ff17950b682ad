#pragma once
#include "../ElevatedStart.h"
#include <windows.h>

// Starts the applet again through rundll32 with the verb that asks for elevation, carrying
// the marker; `owner` is the window the prompt belongs to.
RelaunchResult RelaunchElevated(HWND owner);
