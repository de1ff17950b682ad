#include "ElevatedStart.h"

std::wstring ElevatedStart::RunDllParameters(const std::wstring& appletPath) {
    return L"shell32.dll,Control_RunDLL \"" + appletPath + L"\",@0," + std::wstring(kMarker);
}
