#include "Win32Security.h"
#include "Handles.h"
#include <cstdio>
#include <windows.h>

namespace {

template <class T> T As(SecurityApi::Object object) {
    return reinterpret_cast<T>(object);
}

template <class T> SecurityApi::Object ToObject(T pointer) {
    return reinterpret_cast<SecurityApi::Object>(pointer);
}

} // namespace

bool Win32Security::ImpersonateSelf() {
    return ::ImpersonateSelf(SecurityImpersonation) != FALSE;
}

void Win32Security::RevertToSelf() {
    ::RevertToSelf();
}

SecurityApi::Object Win32Security::OpenThreadToken(std::uint32_t& error) {
    HANDLE token = nullptr;
    if (!::OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
        error = GetLastError();
        return 0;
    }
    return ToObject(token);
}

SecurityApi::Object Win32Security::OpenProcessToken() {
    HANDLE token = nullptr;
    return ::OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) ? ToObject(token) : 0;
}

void Win32Security::CloseToken(Object token) {
    CloseHandle(As<HANDLE>(token));
}

SecurityApi::Object Win32Security::CreateAdministratorsSid() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &sid)) {
        return 0;
    }
    return ToObject(sid);
}

void Win32Security::FreeSid(Object sid) {
    ::FreeSid(As<PSID>(sid));
}

SecurityApi::Object Win32Security::CreateDescriptor() {
    auto descriptor =
        static_cast<PSECURITY_DESCRIPTOR>(LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH));
    if (descriptor == nullptr) {
        return 0;
    }
    if (!InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION)) {
        LocalFree(descriptor);
        return 0;
    }
    return ToObject(descriptor);
}

SecurityApi::Object Win32Security::CreateAdministratorsAcl(Object sid) {
    // The list header and one allowed entry, less the entry's first word that the SID overlays.
    const DWORD size =
        GetLengthSid(As<PSID>(sid)) + sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);
    auto acl = static_cast<PACL>(LocalAlloc(LPTR, size));
    if (acl == nullptr) {
        return 0;
    }
    constexpr DWORD kReadWrite = 1 | 2;
    if (!InitializeAcl(acl, size, ACL_REVISION2) ||
        !AddAccessAllowedAce(acl, ACL_REVISION2, kReadWrite, As<PSID>(sid))) {
        LocalFree(acl);
        return 0;
    }
    return ToObject(acl);
}

void Win32Security::FreeMemory(Object memory) {
    LocalFree(As<HLOCAL>(memory));
}

bool Win32Security::CompleteDescriptor(Object descriptor, Object acl, Object sid) {
    const auto sd = As<PSECURITY_DESCRIPTOR>(descriptor);
    if (!SetSecurityDescriptorDacl(sd, TRUE, As<PACL>(acl), FALSE)) {
        return false;
    }
    SetSecurityDescriptorGroup(sd, As<PSID>(sid), FALSE);
    SetSecurityDescriptorOwner(sd, As<PSID>(sid), FALSE);
    return IsValidSecurityDescriptor(sd) != FALSE;
}

SecurityApi::AccessResult Win32Security::AccessCheck(Object token, Object descriptor) {
    GENERIC_MAPPING mapping{1, 2, 0, 3};
    alignas(PRIVILEGE_SET) BYTE privileges[20] = {};
    DWORD privilegesSize = sizeof privileges;
    DWORD granted = 0;
    BOOL status = FALSE;
    if (!::AccessCheck(As<PSECURITY_DESCRIPTOR>(descriptor), As<HANDLE>(token), 1, &mapping,
                       reinterpret_cast<PPRIVILEGE_SET>(privileges), &privilegesSize, &granted,
                       &status)) {
        return {false, static_cast<std::uint32_t>(GetLastError()), false};
    }
    return {true, 0, status != FALSE};
}

void Win32Security::WriteDiagnostic(const char* line) {
    std::fputs(line, stdout);
    std::fflush(stdout);
}

ElevationType Win32Security::ProcessElevation() {
    // TokenElevationType and its answers, from Windows Vista on; older systems refuse the class.
    constexpr auto kElevationTypeClass = static_cast<TOKEN_INFORMATION_CLASS>(18);
    constexpr ElevationType kTypes[] = {ElevationType::None, ElevationType::Default,
                                        ElevationType::Full, ElevationType::Limited};
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) {
        return ElevationType::None;
    }
    const ScopedHandle token(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (!GetTokenInformation(token.Get(), kElevationTypeClass, &type, sizeof type, &size) ||
        type >= sizeof kTypes / sizeof kTypes[0]) {
        return ElevationType::None;
    }
    return kTypes[type];
}
