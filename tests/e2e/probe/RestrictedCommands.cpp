// Runs a command line as a user without an administrator's rights, which Wine, granting every
// process a full administrator's token, otherwise cannot show: the token of this process or its
// linked one, whichever Windows calls the limited one, with the Administrators group made
// deny-only, as Windows 7 filters an administrator's token in approval mode.
#include "Commands.h"
#include "Handles.h"
#include "ProbeIo.h"
#include <windows.h>

namespace {
int Failed(const std::wstring& step) {
    return Fail(step + L" failed (error " + std::to_wstring(GetLastError()) + L")", kExitFailed);
}

bool IsLimited(HANDLE token) {
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size) &&
           type == TokenElevationTypeLimited;
}

// Wine 8 hands out the full token with a limited linked one, Wine 10 the other way round.
ScopedHandle LimitedToken() {
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own))
        return ScopedHandle();
    ScopedHandle token(own);
    if (IsLimited(token.Get()))
        return token;
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    if (!GetTokenInformation(token.Get(), TokenLinkedToken, &linked, sizeof linked, &size))
        return ScopedHandle();
    return ScopedHandle(linked.LinkedToken);
}
} // namespace

int Restricted(const Args& args) {
    const ScopedHandle limited = LimitedToken();
    if (!limited)
        return Failed(L"the limited token");
    BYTE sidBuffer[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sidBuffer;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sidBuffer, &sidSize))
        return Failed(L"CreateWellKnownSid");
    SID_AND_ATTRIBUTES administrators{sidBuffer, 0};
    HANDLE restricted = nullptr;
    if (!CreateRestrictedToken(limited.Get(), 0, 1, &administrators, 0, nullptr, 0, nullptr,
                               &restricted))
        return Failed(L"CreateRestrictedToken");
    const ScopedHandle token(restricted);

    std::wstring commandLine = args[0];
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessAsUserW(token.Get(), nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &process))
        return Failed(L"CreateProcessAsUserW");
    const ScopedHandle thread(process.hThread);
    const ScopedHandle child(process.hProcess);
    DWORD exitCode = 0;
    if (WaitForSingleObject(child.Get(), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(child.Get(), &exitCode))
        return Failed(L"waiting for the command");
    return static_cast<int>(exitCode);
}
