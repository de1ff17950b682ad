#pragma once
#include <cstdint>

// How the process's token stands on a system that splits an administrator's token in two:
// None where the system knows no such thing (Windows 2000 and XP).
enum class ElevationType { None, Default, Full, Limited };

// The security calls the administrator check makes, so its steps and clean-ups can be followed
// without a real token. Every object is an opaque value; 0 means none.
class SecurityApi {
  public:
    using Object = std::uintptr_t;
    static constexpr std::uint32_t kNoToken = 1008; // ERROR_NO_TOKEN

    struct AccessResult {
        bool callSucceeded;
        std::uint32_t error;
        bool granted;
    };

    virtual ~SecurityApi() = default;
    virtual bool ImpersonateSelf() = 0;
    virtual void RevertToSelf() = 0;
    // The calling thread's token for query; on failure 0 and the system error in `error`.
    virtual Object OpenThreadToken(std::uint32_t& error) = 0;
    virtual Object OpenProcessToken() = 0;
    virtual void CloseToken(Object token) = 0;
    // The built-in Administrators alias: NT authority, sub-authorities 32 and 544.
    virtual Object CreateAdministratorsSid() = 0;
    virtual void FreeSid(Object sid) = 0;
    // A zero-filled descriptor of the minimum length, initialised with revision 1.
    virtual Object CreateDescriptor() = 0;
    // A list with one access-allowed entry, read and write (mask 3), for `sid`.
    virtual Object CreateAdministratorsAcl(Object sid) = 0;
    virtual void FreeMemory(Object memory) = 0;
    // The list as the descriptor's discretionary list, `sid` as group and owner; false when
    // the descriptor then fails the validity test.
    virtual bool CompleteDescriptor(Object descriptor, Object acl, Object sid) = 0;
    // Desired access 1, mapping read 1, write 2, execute 0, all 3.
    virtual AccessResult AccessCheck(Object token, Object descriptor) = 0;
    virtual void WriteDiagnostic(const char* line) = 0;
    virtual ElevationType ProcessElevation() = 0;
};

// Whether the caller's token would be let into an object only Administrators may reach.
// Every way out ends the impersonation and frees what was obtained.
bool HasAdministratorRights(SecurityApi& security);
