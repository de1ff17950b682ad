#pragma once
#include "AdministratorCheck.h"
#include <string>
#include <string_view>

// An administrator whose applet runs with the filtered token of a system with split tokens
// could change settings but never store them: the applet starts an elevated copy of itself
// instead of opening its sheet.
enum class RelaunchResult { Started, Declined, Failed };

namespace ElevatedStart {

// What the copy's start message carries, so that a copy never starts another one.
inline constexpr std::wstring_view kMarker = L"elevated";

// rundll32's parameters that open the applet at `appletPath` as the control panel does.
std::wstring RunDllParameters(const std::wstring& appletPath);

inline bool IsMarker(std::wstring_view extra) {
    return extra == kMarker;
}

// Whether this process opens the sheet itself. Only a filtered token that would fail the
// write-back's administrator check, not started by a copy, tries `relaunch`; a user who
// declines the prompt gets nothing, any other failure the sheet.
template <class Relaunch>
bool OpensSheetHere(SecurityApi& security, bool marked, Relaunch&& relaunch) {
    if (marked || security.ProcessElevation() != ElevationType::Limited ||
        HasAdministratorRights(security)) {
        return true;
    }
    return relaunch() == RelaunchResult::Failed;
}

} // namespace ElevatedStart
