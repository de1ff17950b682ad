#pragma once
#include "DriverKind.h"

// The tools the Calibrate page starts, below the Windows directory in the driver's folder.
enum class AppletProgram { Calibration, DrawTest };

// "\Velmuro\Pintara.exe" and the like, to append to the Windows directory.
const wchar_t* ProgramPathBelowWindows(DriverKind kind, AppletProgram program);
